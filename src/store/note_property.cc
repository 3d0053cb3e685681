#include "store/note_property.h"

#include "platform/host_error.h"

namespace pinlet {

std::string NoteMessageClass(int parent_class) {
  switch (parent_class) {
    case ol::kMail:
      return "IPM.Note";
    case ol::kPost:
      return "IPM.Post";
    case ol::kAppointment:
      return "IPM.Appointment";
    case ol::kContact:
      return "IPM.Contact";
    case ol::kDistList:
      return "IPM.DistList";
    case ol::kTask:
      return "IPM.Task";
    case ol::kJournal:
      return "IPM.Activity";
    case ol::kDocument:
      return "IPM.Document";
    case ol::kNote:
      return "IPM.StickyNote";
    default:
      return "";
  }
}

std::shared_ptr<CdoSession> CdoSessionFor(AddinContext& ctx) {
  if (ctx.cdo_session) return ctx.cdo_session;
  auto session = ctx.platform.objects->CreateCdoSession();
  Must(session).Logon(false, false);
  return session;
}

std::shared_ptr<CdoMessage> CdoMessageOf(AddinContext& ctx, const ol::ItemPtr& item) {
  return CdoSessionFor(ctx)->GetMessage(Must(item).EntryID(),
                                        Must(item->Parent()).StoreID());
}

std::optional<std::string> ReadField(const std::shared_ptr<CdoMessage>& message,
                                     std::string_view name) {
  auto field = TryGet([&] { return Must(message).Fields()->Item(name); });
  if (!field) return std::nullopt;
  return ToText(field->Value());
}

void WriteNoteProperty(AddinContext& ctx, const ol::ItemPtr& note, std::string_view name,
                       std::string_view value) {
  if (!note) throw ObjectRequiredError();
  if (note->Class() == ol::kDocument) {
    auto message = CdoMessageOf(ctx, note);
    auto fields = message->Fields();
    // The field is set whenever it exists: a document's user property never
    // survives a new handle on the note, so testing it alone would drop
    // every later write.
    if (auto field = TryGet([&] { return fields->Item(name); })) {
      field->SetValue(Variant(value));
    } else {
      auto props = note->UserProperties();
      if (!props->Find(name)) props->Add(name, ol::kOlText, true);
      fields->Add(name, 8, Variant(value));
    }
    message->Update();
    return;
  }
  auto props = note->UserProperties();
  ol::UserPropertyPtr prop = props->Find(name);
  if (!prop) prop = props->Add(name, ol::kOlText, true);
  prop->SetValue(Variant(value));
  note->Save();
}

}  // namespace pinlet
