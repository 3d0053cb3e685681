// Refused file names, safe attachment file names and opening attachments.
#include "notewindow/attachment_files.h"

#include <cctype>

#include "addin/error_report.h"
#include "notewindow/frm_comments.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/text.h"

namespace pinlet {
namespace {

constexpr std::string_view kPatterns[] = {
    ".ade$",      ".adp$", ".app$", ".asp$", ".bas$", ".bat$", ".cer$", ".chm$", ".cmd$",
    ".com$",      ".cpl$", ".crt$", ".csh$", ".exe$", ".fxp$", ".hlp$", ".hta$", ".inf$",
    ".ins$",      ".isp$", ".its$", ".js$",  ".jse$", ".ksh$", ".lnk$", ".mad$", ".maf$",
    ".mag$",      ".mam$", ".maq$", ".mar$", ".mas$", ".mat$", ".mau$", ".mav$", ".maw$",
    ".mda$",      ".mdb$", ".mde$", ".mdt$", ".mdw$", ".mdz$", ".msc$", ".msi$", ".msp$",
    ".mst$",      ".ops$", ".pcd$", ".pif$", ".prf$", ".prg$", ".pst$", ".reg$", ".scf$",
    ".scr$",      ".sct$", ".shb$", ".shs$", ".tmp$", ".url$", ".vb$",  ".vbe$", ".vbs$",
    ".vsmacros$", ".vss$", ".vst$", ".vsw$", ".ws$",  ".wsc$", ".wsf$", ".wsh$"};
static_assert(std::size(kPatterns) == 71);

constexpr std::string_view kDefaultName = "attachment";

std::string WithoutTrailingDotsAndBlanks(std::string_view name) {
  while (!name.empty() && (name.back() == '.' || name.back() == ' '))
    name.remove_suffix(1);
  return std::string(name);
}

// What the regular expression ".ext$" answers, without the object: one
// character other than a line feed, then the ending, at the end of the text.
bool EndsLike(std::string_view pattern, std::string_view text) {
  std::string_view ending = pattern.substr(1, pattern.size() - 2);
  if (text.size() < ending.size() + 1) return false;
  std::string_view tail = text.substr(text.size() - ending.size());
  for (size_t i = 0; i < ending.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(tail[i])) != ending[i]) return false;
  return text[text.size() - ending.size() - 1] != '\n';
}

}  // namespace

std::span<const std::string_view> BlockedPatterns() { return kPatterns; }

bool BlockFile(AddinContext& ctx, std::string_view name) {
  const std::string names[] = {std::string(name), WithoutTrailingDotsAndBlanks(name)};
  std::optional<bool> answer;
  RunGuardedSub(ctx, "basMainProc(Function BlockFile)", [&](Proc&) {
    RegExpPtr regexp = Must(ctx.platform.objects).CreateRegExp();
    Must(regexp).SetIgnoreCase(true);
    regexp->SetGlobal(true);
    for (std::string_view pattern : kPatterns) {
      regexp->SetPattern(pattern);
      for (const std::string& text : names)
        if (regexp->Test(text)) return void(answer = true);
    }
    answer = false;
  });
  if (answer) return *answer;
  for (std::string_view pattern : kPatterns)
    for (const std::string& text : names)
      if (EndsLike(pattern, text)) return true;
  return false;
}

std::string AttachmentFileName(std::string_view file_name, size_t max_length) {
  return SafeFileName(frmComments::GetName(file_name), kDefaultName, max_length);
}

bool AttachmentBlocked(AddinContext& ctx, const ol::AttachmentPtr& attachment) {
  std::string file_name = Must(attachment).FileName();
  if (BlockFile(ctx, file_name) || BlockFile(ctx, AttachmentFileName(file_name)))
    return true;
  std::string path = attachment->PathName();
  return !path.empty() && BlockFile(ctx, frmComments::GetName(path));
}

int64_t AttachmentOpen(AddinContext& ctx, const ol::AttachmentPtr& attachment) {
  int64_t result = se::kPathNotFound;
  RunGuardedSub(ctx, "basMainProc(Sub AttachmentOpen)", [&](Proc&) {
    if (AttachmentBlocked(ctx, attachment)) return void(result = se::kAccessDenied);
    Shell& shell = Must(ctx.platform.shell);
    std::string path = attachment->PathName();
    if (!path.empty()) {
      size_t slash = path.find_last_of("\\/");
      std::string folder = slash == std::string::npos ? "" : path.substr(0, slash);
      result = shell.Execute(0, "open", path, "", folder, se::kShowNormal);
      return;
    }
    std::optional<std::string> temp = shell.TempPath();
    size_t folder_length = Utf8ToUtf16(*temp).size();
    if (folder_length >= kMaxPathLength) return;
    std::string copy = *temp + AttachmentFileName(attachment->FileName(),
                                                  kMaxPathLength - folder_length);
    attachment->SaveAsFile(copy);
    result = shell.Execute(0, "open", copy, "", *temp, se::kShowNormal);
  });
  return result;
}

}  // namespace pinlet
