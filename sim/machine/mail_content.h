// The content of an item at the level of the store's nodes: its three
// bodies, kept coupled as Outlook keeps them; the recipient texts Outlook
// derives from the recipients (To, CC, BCC); resolving a name against the
// address book; and the mailbox's owner.
//
// The simulated object model and the simulated host's own work (answer
// mails, the sample mailbox) share these. None of them is a call of the
// add-in's: nothing here passes the fault injector.
#ifndef PINLET_SIM_MACHINE_MAIL_CONTENT_H_
#define PINLET_SIM_MACHINE_MAIL_CONTENT_H_

#include <string>
#include <string_view>

#include "sim/machine/mail_store.h"

namespace pinlet::sim {

// A text member of the item ("" when unset or not text).
std::string TextMember(const ItemContent& item, std::string_view member);

// The bodies. The plain text is always there (Body); the RTF exists only
// on a rich-text mail (BodyFormat). The HTML is an HTML mail's own, or on a
// rich-text mail Outlook's HTML rendering of its rich text (RtfToHtml); a
// plain-text mail has none.
int BodyFormatOf(const ItemContent& item);
std::string BodyOf(const ItemContent& item);
std::string HtmlBodyOf(const ItemContent& item);
std::string RtfBodyOf(const ItemContent& item);
// Writing Body: an HTML mail's HTML becomes the text converted to HTML, a
// rich-text mail's RTF the text as RTF, so the formatting is lost.
void WriteBody(ItemContent& item, std::string_view text);
// Writing HTMLBody makes the item an HTML mail; Body becomes its text.
void WriteHtmlBody(ItemContent& item, std::string_view html);
// Writing the RTF makes the item a rich-text mail; Body becomes its text.
void WriteRtfBody(ItemContent& item, std::string_view rtf);
// Writing BodyFormat (1 to 3) converts: the text becomes HTML or RTF, or a
// plain mail drops what formatting it had.
void WriteBodyFormat(ItemContent& item, int format);

// The conversions behind the coupling. HtmlToText keeps the text of the
// body (line breaks for <br>, paragraphs, rows and rules; entities decoded;
// head, style and script dropped). TextToHtml is the HTML Outlook makes of
// plain text. RtfToText keeps the text of the document (tables of fonts,
// colours, styles and other destinations dropped; \par a line break; \'hh
// and \u escapes decoded). TextToRtf is a minimal rich-text document.
std::string HtmlToText(std::string_view html);
std::string TextToHtml(std::string_view text);
std::string RtfToText(std::string_view rtf);
// The HTML Outlook renders of rich text: its text, escaped, with its line
// breaks and its bold, italic and underlined runs, in a document that says
// it was converted from text/rtf.
std::string RtfToHtml(std::string_view rtf);
std::string TextToRtf(std::string_view text);

// "; "-joined names of the item's recipients of that type.
std::string RecipientText(const ItemContent& item, int type);
// Replaces the recipients of that type by the names in `text` (separated
// by ";"), each unresolved, after the recipients of other types.
void WriteRecipientText(ItemContent& item, int type, std::string_view text);
// Resolves against the address book: a contact of any store whose full name
// or first e-mail address equals the name (without regard to case) gives
// its name and address; a name that is an e-mail address resolves to
// itself. Returns whether it resolved; an unresolved recipient is unchanged.
bool ResolveRecipient(const MailStore& store, RecipientNode& recipient);

// The name of the default store's owner ("Pat Kelly" for the store
// "Mailbox - Pat Kelly"); "" when the store's name does not say.
std::string MailboxOwner(const MailStore& store);

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_MAIL_CONTENT_H_
