#include "addin/helper_libraries.h"

#include "addin/error_report.h"
#include "addin/string_table.h"

namespace pinlet {

bool NotInstalled(const HostError& error) {
  return error.number() == errors::kCannotCreateObject;
}

void TellLibraryMissing(AddinContext& ctx, HelperLibrary library, std::string_view tag) {
  bool redemption = library == HelperLibrary::kRedemption;
  bool& told = redemption ? ctx.told_no_redemption : ctx.told_no_cdo;
  if (told) return;
  told = true;
  ReportError(ctx, tag, 0, errors::kCannotCreateObject,
              LoadResString(redemption ? res::kNoRedemptionLog : res::kNoCdoLog));
  ShowMessage(ctx, LoadResString(redemption ? res::kNoRedemption : res::kNoCdo),
              mb::kOkOnly | mb::kInformation, mb::kOk);
}

}  // namespace pinlet
