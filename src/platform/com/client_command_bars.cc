// Office's command bars as clients: a window's bars, a bar, its controls
// and the one control object of buttons and popups. Optional arguments are
// left out in Office's parameter order.
#include "platform/com/com_event_ids.h"
#include "platform/com/com_office.h"
#include "platform/com/com_outlook.h"
#include "platform/com/com_picture.h"
#include "platform/com/com_support.h"
#include "platform/com/com_word.h"

namespace pinlet::com {
namespace {

using office::CommandBarControlPtr;
using office::CommandBarControlsPtr;
using office::CommandBarPtr;

// A window of a host this layer does not know more of.
class ComOfficeWindow final : public ClientObject, public office::Window {
 public:
  explicit ComOfficeWindow(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "Window") {}
  office::CommandBarsPtr CommandBars() override {
    return ObjectAs<office::CommandBars>(bound_, "CommandBars");
  }
};

class ComCommandBars final : public ClientObject, public office::CommandBars {
 public:
  explicit ComCommandBars(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "CommandBars") {}
  int Count() override { return bound_.Long("Count"); }
  CommandBarPtr Item(int index) override {
    return ObjectAs<office::CommandBar>(bound_, "Item", {Arg(index)});
  }
  CommandBarPtr Item(std::string_view name) override {
    return ObjectAs<office::CommandBar>(bound_, "Item", {Arg(name)});
  }
  // Add(Name, Position, MenuBar, Temporary).
  CommandBarPtr Add(std::string_view name, int position, bool menu_bar,
                    bool temporary) override {
    return ObjectAs<office::CommandBar>(
        bound_, "Add", {Arg(name), Arg(position), Arg(menu_bar), Arg(temporary)});
  }
  // FindControl(Type, Id, Tag, Visible).
  CommandBarControlPtr FindControl(std::optional<int> type, std::optional<int> id,
                                   std::optional<std::string> tag,
                                   bool visible_only) override {
    return ObjectAs<office::CommandBarControl>(
        bound_, "FindControl",
        {Optional(type), Optional(id), Optional(tag), Arg(visible_only)});
  }
  Subscription OnUpdate(std::function<void()> handler) override {
    return HubOf(events_, bound_.object(), kDiidCommandBarsEvents, "CommandBars events")
        ->Subscribe(kDispOnUpdate,
                    [handler = std::move(handler)](const DispArgs&) { handler(); });
  }

 private:
  std::weak_ptr<EventHub> events_;
};

class ComCommandBar final : public ClientObject, public office::CommandBar {
 public:
  explicit ComCommandBar(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "CommandBar") {}
  std::string Name() override { return bound_.Text("Name"); }
  int Index() override { return bound_.Long("Index"); }
  int Type() override { return bound_.Long("Type"); }
  bool BuiltIn() override { return bound_.Bool("BuiltIn"); }
  CommandBarControlsPtr Controls() override {
    return ObjectAs<office::CommandBarControls>(bound_, "Controls");
  }
  // FindControl(Type, Id, Tag, Visible, Recursive).
  CommandBarControlPtr FindControl(std::optional<int> type, std::optional<int> id,
                                   std::optional<std::string> tag, bool visible_only,
                                   bool recursive) override {
    return ObjectAs<office::CommandBarControl>(
        bound_, "FindControl",
        {Optional(type), Optional(id), Optional(tag), Arg(visible_only), Arg(recursive)});
  }
  bool Visible() override { return bound_.Bool("Visible"); }
  void SetVisible(bool visible) override { bound_.Put("Visible", Arg(visible)); }
  bool Enabled() override { return bound_.Bool("Enabled"); }
  void SetEnabled(bool enabled) override { bound_.Put("Enabled", Arg(enabled)); }
  int Left() override { return bound_.Long("Left"); }
  void SetLeft(int left) override { bound_.Put("Left", Arg(left)); }
  int Top() override { return bound_.Long("Top"); }
  void SetTop(int top) override { bound_.Put("Top", Arg(top)); }
  int Position() override { return bound_.Long("Position"); }
  void SetPosition(int position) override { bound_.Put("Position", Arg(position)); }
  int RowIndex() override { return bound_.Long("RowIndex"); }
  void SetRowIndex(int row_index) override { bound_.Put("RowIndex", Arg(row_index)); }
  int Protection() override { return bound_.Long("Protection"); }
  void SetProtection(int protection) override {
    bound_.Put("Protection", Arg(protection));
  }
  void Reset() override { bound_.Call("Reset"); }
  void Delete() override { bound_.Call("Delete"); }
  office::WindowPtr Parent() override {
    return ObjectAs<office::Window>(bound_, "Parent");
  }
};

class ComCommandBarControls final : public ClientObject,
                                    public office::CommandBarControls {
 public:
  explicit ComCommandBarControls(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "CommandBarControls") {}
  int Count() override { return bound_.Long("Count"); }
  CommandBarControlPtr Item(int index) override {
    return ObjectAs<office::CommandBarControl>(bound_, "Item", {Arg(index)});
  }
  CommandBarControlPtr Item(std::string_view caption) override {
    return ObjectAs<office::CommandBarControl>(bound_, "Item", {Arg(caption)});
  }
  // Add(Type, Id, Parameter, Before, Temporary).
  CommandBarControlPtr Add(int type, int id, std::optional<int> before,
                           bool temporary) override {
    return ObjectAs<office::CommandBarControl>(
        bound_, "Add",
        {Arg(type), Arg(id), Arg::Missing(), Optional(before), Arg(temporary)});
  }
};

class ComCommandBarControl final : public ClientObject, public office::CommandBarControl {
 public:
  explicit ComCommandBarControl(ComPtr<IDispatch> object)
      : ClientObject(std::move(object), "CommandBarControl") {}

  int Type() override { return bound_.Long("Type"); }
  int Id() override { return bound_.Long("Id"); }
  bool BuiltIn() override { return bound_.Bool("BuiltIn"); }
  std::string Caption() override { return bound_.Text("Caption"); }
  void SetCaption(std::string_view caption) override {
    bound_.Put("Caption", Arg(caption));
  }
  std::string Tag() override { return bound_.Text("Tag"); }
  void SetTag(std::string_view tag) override { bound_.Put("Tag", Arg(tag)); }
  std::string TooltipText() override { return bound_.Text("TooltipText"); }
  void SetTooltipText(std::string_view text) override {
    bound_.Put("TooltipText", Arg(text));
  }
  bool Visible() override { return bound_.Bool("Visible"); }
  void SetVisible(bool visible) override { bound_.Put("Visible", Arg(visible)); }
  bool Enabled() override { return bound_.Bool("Enabled"); }
  void SetEnabled(bool enabled) override { bound_.Put("Enabled", Arg(enabled)); }
  bool BeginGroup() override { return bound_.Bool("BeginGroup"); }
  void SetBeginGroup(bool begin_group) override {
    bound_.Put("BeginGroup", Arg(begin_group));
  }
  int Index() override { return bound_.Long("Index"); }
  CommandBarPtr Parent() override {
    return ObjectAs<office::CommandBar>(bound_, "Parent");
  }
  void Delete() override { bound_.Call("Delete"); }

  int Style() override { return bound_.Long("Style"); }
  void SetStyle(int style) override { bound_.Put("Style", Arg(style)); }
  int FaceId() override { return bound_.Long("FaceId"); }
  void SetFaceId(int face_id) override { bound_.Put("FaceId", Arg(face_id)); }
  void PasteFace() override { bound_.Call("PasteFace"); }
  int State() override { return bound_.Long("State"); }
  void SetState(int state) override { bound_.Put("State", Arg(state)); }
  // Picture and Mask are IPictureDisp objects.
  pinlet::Picture Picture() override {
    return PictureOfDispatch(bound_.Object("Picture").get(), "CommandBarButton.Picture");
  }
  void SetPicture(const pinlet::Picture& picture) override {
    PutObject(bound_, "Picture", PictureToDispatch(picture));
  }
  pinlet::Picture Mask() override {
    return PictureOfDispatch(bound_.Object("Mask").get(), "CommandBarButton.Mask");
  }
  void SetMask(const pinlet::Picture& mask) override {
    PutObject(bound_, "Mask", PictureToDispatch(mask));
  }
  Subscription OnClick(office::ClickHandler handler) override {
    return HubOf(events_, bound_.object(), kDiidCommandBarButtonEvents,
                 "CommandBarButton events")
        ->Subscribe(kDispClick, [handler = std::move(handler)](const DispArgs& args) {
          CommandBarControlPtr control =
              ToPlatform<office::CommandBarControl>(args.Object(0));
          WithCancel(args, 1, [&](bool& cancel) { handler(control, cancel); });
        });
  }

  CommandBarPtr CommandBar() override {
    return ObjectAs<office::CommandBar>(bound_, "CommandBar");
  }
  CommandBarControlsPtr Controls() override {
    return ObjectAs<office::CommandBarControls>(bound_, "Controls");
  }

 private:
  std::weak_ptr<EventHub> events_;
};

}  // namespace

// A bar's Parent: Outlook's windows are told by the interface they answer,
// and get the client of their own type; any other is a plain window.
template <>
std::shared_ptr<office::Window> MakeClient<office::Window>(
    const ComPtr<IDispatch>& object) {
  if (object.As<IDispatch>(kIidOutlookExplorer)) return ToPlatform<ol::Explorer>(object);
  if (object.As<IDispatch>(kIidOutlookInspector))
    return ToPlatform<ol::Inspector>(object);
  return std::make_shared<ComOfficeWindow>(object);
}

template <>
std::shared_ptr<office::CommandBars> MakeClient<office::CommandBars>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComCommandBars>(object);
}

template <>
std::shared_ptr<office::CommandBar> MakeClient<office::CommandBar>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComCommandBar>(object);
}

template <>
std::shared_ptr<office::CommandBarControls> MakeClient<office::CommandBarControls>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComCommandBarControls>(object);
}

template <>
std::shared_ptr<office::CommandBarControl> MakeClient<office::CommandBarControl>(
    const ComPtr<IDispatch>& object) {
  return std::make_shared<ComCommandBarControl>(object);
}

}  // namespace pinlet::com
