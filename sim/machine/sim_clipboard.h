// The simulated clipboard: the formats and blocks of the Windows clipboard,
// the system's synthesised text formats, and a record of every block the
// add-in put on it.
//
// Each member passes the fault injector under its Windows name
// ("OpenClipboard", "GetClipboardData", ...); a failing call answers failure
// as the system would (false, nullopt, 0). The machine's own side (another
// program's copy, a look at the contents) goes through the methods below the
// interface, which are not calls of the add-in's.
//
// Given a host's clipboard (UseHostClipboard), the machine's clipboard is
// that host's instead of the one in memory, so that an add-in running beside
// the simulated host with the real machine's clipboard (the COM add-in in
// its test host) and the simulated host see the same clipboard. The add-in's
// members then pass the fault injector as before and call the host; the
// machine's own side answers from the host, opening and closing the host's
// clipboard around each look unless the add-in holds it open through this
// object. The host's order tells the formats as set from the synthesised
// ones, which the system lists last: a format at the end that the system
// could have made from one before it (text from text, a bitmap from a DIB,
// ...) counts as synthesised.
#ifndef PINLET_SIM_MACHINE_SIM_CLIPBOARD_H_
#define PINLET_SIM_MACHINE_SIM_CLIPBOARD_H_

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/clipboard.h"

namespace pinlet::sim {

class FaultInjector;

class SimClipboard : public Clipboard {
 public:
  explicit SimClipboard(FaultInjector* faults) : faults_(faults) {}

  bool Open() override;
  bool Close() override;
  bool Empty() override;
  std::vector<uint32_t> EnumFormats() override;
  bool IsFormatAvailable(uint32_t format) override;
  std::optional<std::string> GetData(uint32_t format) override;
  bool SetData(uint32_t format, std::string bytes) override;
  uint32_t RegisterFormat(std::string_view name) override;

  // Makes `host` (which must outlive this) the machine's clipboard from now
  // on; what the clipboard in memory held is no longer seen.
  void UseHostClipboard(Clipboard* host);
  bool uses_host_clipboard() const { return host_ != nullptr; }

  // What another program does: replaces the contents with these blocks.
  // With a host, nothing happens when its clipboard cannot be opened.
  void Put(std::vector<std::pair<uint32_t, std::string>> blocks);
  // Another program holds the clipboard open, so Open fails.
  void set_held_by_other(bool held) { held_by_other_ = held; }
  // The add-in holds the clipboard open through this object.
  bool is_open() const { return open_; }
  // Another program holds the clipboard open: set_held_by_other, or, with a
  // host, its clipboard cannot be opened while the add-in does not hold it.
  bool held_by_other() const;
  // The block of a format as set (no synthesised formats), nullptr when
  // absent. With a host the pointer stays valid until the next Peek.
  const std::string* Peek(uint32_t format) const;
  // The number RegisterFormat gave `name`, 0 when it was never registered.
  // With a host the name is registered there, so it always has its number
  // (0 only when the host fails).
  uint32_t RegisteredFormat(std::string_view name) const;
  // The blocks as set, in order (no synthesised formats). With a host the
  // reference stays valid until the next call of contents().
  const std::vector<std::pair<uint32_t, std::string>>& contents() const;
  // "CF_TEXT", "CF_UNICODETEXT", a registered name, or the number. With a
  // host, the names known are those registered through this object.
  std::string FormatName(uint32_t format) const;
  // Every SetData through this object that the clipboard accepted, in order.
  const std::vector<std::pair<uint32_t, std::string>>& writes() const { return writes_; }

 private:
  const std::string* Find(uint32_t format) const;
  // The formats the system synthesises from what is set: none while the
  // caller that changed the contents still holds the clipboard open, as
  // Windows offers them only once the clipboard is closed.
  std::vector<uint32_t> Synthesised() const;

  // The machine's side on the host's clipboard (sim_clipboard_host.cc).
  // Runs `look` with the host's clipboard open (opened for it unless the
  // add-in holds it); false, without running it, when it cannot be opened.
  template <typename Look>
  bool WithHostOpen(Look&& look) const;
  // The host's formats as set, in order; needs the host's clipboard open.
  std::vector<uint32_t> HostFormatsAsSet() const;
  bool HostCanOpen() const;
  const std::string* HostPeek(uint32_t format) const;
  const std::vector<std::pair<uint32_t, std::string>>& HostContents() const;
  void HostPut(std::vector<std::pair<uint32_t, std::string>> blocks);
  uint32_t HostRegisteredFormat(std::string_view name) const;

  FaultInjector* faults_;
  bool open_ = false;
  bool changed_while_open_ = false;  // since Open, by Empty or SetData
  bool held_by_other_ = false;
  std::vector<std::pair<uint32_t, std::string>> contents_;
  std::vector<std::pair<uint32_t, std::string>> writes_;
  std::vector<std::string> registered_;  // format kFirstRegistered + i
  Clipboard* host_ = nullptr;
  // What the machine's side last read from the host, and the names
  // registered there through this object.
  mutable std::optional<std::string> peeked_;
  mutable std::vector<std::pair<uint32_t, std::string>> host_contents_;
  mutable std::vector<std::pair<uint32_t, std::string>> host_names_;
};

}  // namespace pinlet::sim

#endif  // PINLET_SIM_MACHINE_SIM_CLIPBOARD_H_
