#include "addin/session.h"

#include "addin/error_report.h"

namespace pinlet {

const char* const kNotesUnreachable =
    "Pinlet cannot reach its notes in Outlook now, so the note cannot be shown or "
    "added. Please try again later, or restart Outlook.";

ol::NameSpacePtr ReachNameSpace(AddinContext& ctx) {
  if (!ctx.name_space && ctx.application)
    IgnoreError([&] { ctx.name_space = ctx.application->GetNameSpace("MAPI"); });
  return ctx.name_space;
}

void TellNotesUnreachable(AddinContext& ctx) {
  ShowMessage(ctx, kNotesUnreachable, mb::kOkOnly | mb::kExclamation, mb::kOk);
}

}  // namespace pinlet
