#include "store/filter_view.h"

#include "addin/error_report.h"
#include "addin/settings.h"

namespace pinlet {

std::string WithFilterClause(std::string xml) {
  const std::string presence = "AND (&quot;" + HasNoteDaslName() + "&quot; = 'TRUE')";
  size_t open = xml.find("<filter>");
  if (open == std::string::npos) {
    std::string insert = FilterClause() + "\r\n    ";
    size_t at = xml.find("<viewname>");
    if (at == std::string::npos) {
      // No name element: right after the opening <view ...> tag.
      size_t view = xml.find("<view");
      size_t end = view == std::string::npos ? std::string::npos : xml.find('>', view);
      at = end == std::string::npos ? xml.size() : end + 1;
      insert = "\r\n    " + FilterClause();
    }
    xml.insert(at, insert);
  } else if (xml.find(presence) == std::string::npos) {
    size_t close = xml.find("</filter>", open);
    size_t end = close == std::string::npos ? open + 8 : close + 9;
    xml.replace(open, end - open, FilterClause());
  }
  return xml;
}

std::string HasNoteDaslName() {
  return "http://schemas.microsoft.com/mapi/string/"
         "{00020329-0000-0000-C000-000000000046}/"
         "ZPNHasNote";
}

std::string FilterClause() {
  return "<filter>&quot;" + HasNoteDaslName() + "&quot; = 'TRUE'</filter>";
}

bool Filter_On(AddinContext& ctx, const ol::ExplorerPtr& explorer) {
  return RunGuarded(ctx, "basMainProc(Sub Filter_On)", false, [&](Proc& proc) {
    proc.line = 10;
    ol::FolderPtr folder = Must(explorer).CurrentFolder();
    ol::ViewsPtr views = Must(folder).Views();
    ol::ViewPtr current = folder->CurrentView();
    WriteText(ctx.registry(), kFoldersKey, folder->EntryID(), Must(current).Name());
    proc.line = 20;
    ol::ViewPtr view;
    int count = views->Count();
    for (int i = 1; i <= count; ++i) {
      ol::ViewPtr candidate = views->Item(i);
      if (candidate->Name() != kFilterViewName) continue;
      if (candidate->ViewType() == ol::kOlTableView) {
        view = candidate;
      } else {
        views->Remove(i);
      }
      break;
    }
    if (!view) {
      proc.line = 30;
      view = views->Add(kFilterViewName, ol::kOlTableView, 1);
      view->SetXML(WithFilterClause(view->XML()));
      view->Save();
    }
    proc.line = 40;
    explorer->SetCurrentView(view->Name());
    return true;
  });
}

bool Filter_Off(AddinContext& ctx, const ol::ExplorerPtr& explorer) {
  return RunGuarded(ctx, "basMainProc(Sub Filter_Off)", false, [&](Proc& proc) {
    proc.line = 10;
    ol::FolderPtr folder = Must(explorer).CurrentFolder();
    std::string remembered =
        ReadText(ctx.registry(), kFoldersKey, Must(folder).EntryID());
    if (remembered == kFilterViewName) remembered.clear();
    ol::ViewsPtr views = folder->Views();
    ol::ViewPtr view;
    if (!remembered.empty()) view = TryGet([&] { return views->Item(remembered); });
    // A remembered view that no longer exists is treated like none: the
    // folder goes back to its first other view instead of staying filtered.
    if (!view) {
      proc.line = 20;
      int count = views->Count();
      for (int i = 1; i <= count && !view; ++i) {
        ol::ViewPtr candidate = views->Item(i);
        if (candidate->Name() != kFilterViewName) view = candidate;
      }
    }
    IgnoreError([&] { explorer->SetCurrentView(Must(view).Name()); });
    return true;
  });
}

void LoadView(AddinContext& ctx, const ol::FolderPtr& folder,
              const std::string& view_name, const std::string& file_name) {
  RunGuardedSub(ctx, "basExplorers(Sub LoadView)", [&](Proc& proc) {
    proc.line = 10;
    ol::ViewsPtr views = Must(folder).Views();
    int count = views->Count();
    for (int i = 1; i <= count; ++i) {
      if (views->Item(i)->Name() == view_name) {
        views->Remove(i);
        break;
      }
    }
    proc.line = 20;
    std::string path = GetInstallDir(ctx.registry()) + file_name;
    std::optional<std::string> xml = ctx.platform.files->ReadFile(path);
    if (!xml) throw HostError(errors::kFileNotFound, "File not found", path);
    proc.line = 30;
    ol::ViewPtr view = views->Add(view_name, ol::kOlTableView, 0);
    view->SetXML(*xml);
    view->Save();
    folder->SetCustomViewsOnly(true);
  });
}

}  // namespace pinlet
