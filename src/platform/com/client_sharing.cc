// VBScript's RegExp and the sharing product as clients: the product's
// engine object, the engine interface of a registration, and the extension
// interface as the product calls it.
#include "platform/com/com_helpers.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"

namespace pinlet::com {
namespace {

class ComRegExp final : public ClientObject, public RegExp {
 public:
  explicit ComRegExp(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "RegExp") {}
  std::string Pattern() override { return bound_.Text("Pattern"); }
  void SetPattern(std::string_view pattern) override {
    bound_.Put("Pattern", Arg(pattern));
  }
  bool IgnoreCase() override { return bound_.Bool("IgnoreCase"); }
  void SetIgnoreCase(bool on) override { bound_.Put("IgnoreCase", Arg(on)); }
  bool Global() override { return bound_.Bool("Global"); }
  void SetGlobal(bool on) override { bound_.Put("Global", Arg(on)); }
  bool Test(std::string_view text) override { return bound_.Bool("Test", {Arg(text)}); }
};

class ComSharingProduct final : public ClientObject, public SharingProduct {
 public:
  explicit ComSharingProduct(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Relaybook") {}
  std::shared_ptr<SharingEngine> AddExtension(
      std::shared_ptr<IRelaybookExt> extension) override {
    return ObjectAs<SharingEngine>(bound_, "AddExtension", {Arg(ToDispatch(extension))});
  }
};

class ComSharingEngine final : public ClientObject, public SharingEngine {
 public:
  explicit ComSharingEngine(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "RelaybookEngine") {}
  void AddSharedFolder(std::string_view entry_id, std::string_view store_id) override {
    bound_.Call("AddSharedFolder", {Arg(entry_id), Arg(store_id)});
  }
};

// The product's side of the add-in's extension. `result` goes by reference.
class ComRelaybookExt final : public ClientObject, public IRelaybookExt {
 public:
  explicit ComRelaybookExt(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "IRelaybookExt") {}
  std::string DatabasePath() override { return bound_.Text("DatabasePath"); }
  std::string ProductCode() override { return bound_.Text("ProductCode"); }
  void onItemAdded(const ol::ItemPtr& item, bool& result) override {
    OnItem("onItemAdded", item, result);
  }
  void onItemChanged(const ol::ItemPtr& item, bool& result) override {
    OnItem("onItemChanged", item, result);
  }
  void onItemDeleted(const ol::ItemPtr& item, bool& result) override {
    OnItem("onItemDeleted", item, result);
  }
  void onItemReceived(const ol::ItemPtr& item, const std::string& info,
                      bool& result) override {
    bound_.Call("onItemReceived",
                {Arg(ToDispatch(item)), Arg(info), Arg::ByRef(&result)});
  }
  void onItemResend(const ol::ItemPtr& item, const std::string& info,
                    bool& result) override {
    bound_.Call("onItemResend", {Arg(ToDispatch(item)), Arg(info), Arg::ByRef(&result)});
  }
  void onFolderReceived(const ol::FolderPtr& folder, const std::string& info) override {
    bound_.Call("onFolderReceived", {Arg(ToDispatch(folder)), Arg(info)});
  }
  void onPostprocess(const std::string& info, const std::string& detail) override {
    bound_.Call("onPostprocess", {Arg(info), Arg(detail)});
  }

 private:
  void OnItem(std::string_view member, const ol::ItemPtr& item, bool& result) {
    bound_.Call(member, {Arg(ToDispatch(item)), Arg::ByRef(&result)});
  }
};

}  // namespace

template <>
std::shared_ptr<RegExp> MakeClient<RegExp>(const ComPtr<IDispatch>& object) {
  return std::make_shared<ComRegExp>(object);
}

template <>
std::shared_ptr<SharingProduct> MakeClient<SharingProduct>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComSharingProduct>(object);
}

template <>
std::shared_ptr<SharingEngine> MakeClient<SharingEngine>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComSharingEngine>(object);
}

template <>
std::shared_ptr<IRelaybookExt> MakeClient<IRelaybookExt>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComRelaybookExt>(object);
}

}  // namespace pinlet::com
