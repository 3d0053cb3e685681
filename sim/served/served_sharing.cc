// VBScript's RegExp and the sharing product served by member name, as the
// simulated machine offers them to the add-in.
#include "platform/com/com_helpers.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_support.h"

namespace pinlet::com {
namespace {

const ServedType<RegExp>& RegExpType() {
  static const ServedType<RegExp> type = [] {
    ServedType<RegExp> t("RegExp");
    t.Property(
         "Pattern", [](RegExp& r, ServedCall& c) { c.Return(r.Pattern()); },
         [](RegExp& r, ServedCall& c) { r.SetPattern(c.PutText()); })
        .Property(
            "IgnoreCase", [](RegExp& r, ServedCall& c) { c.Return(r.IgnoreCase()); },
            [](RegExp& r, ServedCall& c) { r.SetIgnoreCase(c.PutBool()); })
        .Property(
            "Global", [](RegExp& r, ServedCall& c) { c.Return(r.Global()); },
            [](RegExp& r, ServedCall& c) { r.SetGlobal(c.PutBool()); })
        .Get("Test", [](RegExp& r, ServedCall& c) { c.Return(r.Test(c.args().Text(0))); },
             {"sourceString"});
    return t;
  }();
  return type;
}

const ServedType<SharingEngine>& EngineType() {
  static const ServedType<SharingEngine> type = [] {
    ServedType<SharingEngine> t("RelaybookEngine");
    t.Get("AddSharedFolder",
          [](SharingEngine& e, ServedCall& c) {
            e.AddSharedFolder(c.args().Text(0), c.args().Text(1));
          },
          {"EntryID", "StoreID"});
    return t;
  }();
  return type;
}

// The engine interface handed back for a registration, holding the
// extension it was made for: the product keeps the extension while the
// registration lasts, as the real one holds the interface it was given.
class RegisteredEngine final : public SharingEngine {
 public:
  RegisteredEngine(std::shared_ptr<SharingEngine> engine,
                   std::shared_ptr<IRelaybookExt> extension)
      : engine_(std::move(engine)), extension_(std::move(extension)) {}
  void AddSharedFolder(std::string_view entry_id, std::string_view store_id) override {
    engine_->AddSharedFolder(entry_id, store_id);
  }

 private:
  std::shared_ptr<SharingEngine> engine_;
  std::shared_ptr<IRelaybookExt> extension_;
};

const ServedType<SharingProduct>& ProductType() {
  static const ServedType<SharingProduct> type = [] {
    ServedType<SharingProduct> t("Relaybook");
    t.Get("AddExtension",
          [](SharingProduct& p, ServedCall& c) {
            auto extension = ArgumentOf<IRelaybookExt>(c.args().Object(0));
            std::shared_ptr<SharingEngine> engine = p.AddExtension(extension);
            if (!engine) return c.Return(ComPtr<IDispatch>());
            c.Return(MakeServed<SharingEngine>(std::make_shared<RegisteredEngine>(
                std::move(engine), std::move(extension))));
          },
          {"Extension"});
    return t;
  }();
  return type;
}

}  // namespace

template <>
ComPtr<IDispatch> MakeServed<RegExp>(const std::shared_ptr<RegExp>& object) {
  return Serve(object, RegExpType());
}

template <>
ComPtr<IDispatch> MakeServed<SharingProduct>(
    const std::shared_ptr<SharingProduct>& object) {
  return Serve(object, ProductType());
}

template <>
ComPtr<IDispatch> MakeServed<SharingEngine>(
    const std::shared_ptr<SharingEngine>& object) {
  return Serve(object, EngineType());
}

}  // namespace pinlet::com
