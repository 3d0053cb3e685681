// The add-in's extension of the sharing product, served by member name from
// the DLL to the product, which calls it as items are shared.
#include "platform/com/com_helpers.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"

namespace pinlet::com {
namespace {

// onItem...(Item, Result): Result is written back as the extension leaves it.
void OnItem(void (IRelaybookExt::*member)(const ol::ItemPtr&, bool&), IRelaybookExt& e,
            ServedCall& c) {
  const DispArgs& args = c.args();
  bool result = args.Has(1) && args.Bool(1);
  (e.*member)(ArgumentOf<ol::Item>(args.Object(0)), result);
  args.SetBool(1, result);
}

// onItemReceived / onItemResend(Item, Info, Result).
void OnItemWithInfo(void (IRelaybookExt::*member)(const ol::ItemPtr&, const std::string&,
                                                  bool&),
                    IRelaybookExt& e, ServedCall& c) {
  const DispArgs& args = c.args();
  bool result = args.Has(2) && args.Bool(2);
  (e.*member)(ArgumentOf<ol::Item>(args.Object(0)), args.Text(1), result);
  args.SetBool(2, result);
}

const ServedType<IRelaybookExt>& ExtensionType() {
  using Ext = IRelaybookExt;
  static const ServedType<Ext> type = [] {
    ServedType<Ext> t("RelaybookExt");
    t.Get("DatabasePath", [](Ext& e, ServedCall& c) { c.Return(e.DatabasePath()); })
        .Get("ProductCode", [](Ext& e, ServedCall& c) { c.Return(e.ProductCode()); })
        .Get("onItemAdded",
             [](Ext& e, ServedCall& c) { OnItem(&Ext::onItemAdded, e, c); },
             {"Item", "Result"})
        .Get("onItemChanged",
             [](Ext& e, ServedCall& c) { OnItem(&Ext::onItemChanged, e, c); },
             {"Item", "Result"})
        .Get("onItemDeleted",
             [](Ext& e, ServedCall& c) { OnItem(&Ext::onItemDeleted, e, c); },
             {"Item", "Result"})
        .Get("onItemReceived",
             [](Ext& e, ServedCall& c) { OnItemWithInfo(&Ext::onItemReceived, e, c); },
             {"Item", "Info", "Result"})
        .Get("onItemResend",
             [](Ext& e, ServedCall& c) { OnItemWithInfo(&Ext::onItemResend, e, c); },
             {"Item", "Info", "Result"})
        .Get("onFolderReceived",
             [](Ext& e, ServedCall& c) {
               e.onFolderReceived(ArgumentOf<ol::Folder>(c.args().Object(0)),
                                  c.args().Text(1));
             },
             {"Folder", "Info"})
        .Get("onPostprocess",
             [](Ext& e, ServedCall& c) {
               e.onPostprocess(c.args().Text(0), c.args().Text(1));
             },
             {"Info", "Detail"});
    return t;
  }();
  return type;
}

}  // namespace

template <>
ComPtr<IDispatch> MakeServed<IRelaybookExt>(
    const std::shared_ptr<IRelaybookExt>& object) {
  return Serve(object, ExtensionType());
}

}  // namespace pinlet::com
