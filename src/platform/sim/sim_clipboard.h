// The simulated clipboard: the formats and blocks of the Windows clipboard,
// the system's synthesised text formats, and a record of every block the
// add-in put on it.
//
// Each member passes the fault injector under its Windows name
// ("OpenClipboard", "GetClipboardData", ...); a failing call answers failure
// as the system would (false, nullopt, 0). The machine's own side (another
// program's copy, a look at the contents) goes through the methods below the
// interface, which are not calls of the add-in's.
#ifndef PINLET_PLATFORM_SIM_SIM_CLIPBOARD_H_
#define PINLET_PLATFORM_SIM_SIM_CLIPBOARD_H_

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

  // What another program does: replaces the contents with these blocks.
  void Put(std::vector<std::pair<uint32_t, std::string>> blocks);
  // Another program holds the clipboard open, so Open fails.
  void set_held_by_other(bool held) { held_by_other_ = held; }
  bool is_open() const { return open_; }
  bool held_by_other() const { return held_by_other_; }
  // The block of a format as set (no synthesised formats), nullptr when absent.
  const std::string* Peek(uint32_t format) const { return Find(format); }
  // The number RegisterFormat gave `name`, 0 when it was never registered.
  uint32_t RegisteredFormat(std::string_view name) const;
  // The blocks as set, in order (no synthesised formats).
  const std::vector<std::pair<uint32_t, std::string>>& contents() const {
    return contents_;
  }
  // "CF_TEXT", "CF_UNICODETEXT", a registered name, or the number.
  std::string FormatName(uint32_t format) const;
  // Every SetData that the clipboard accepted, in order.
  const std::vector<std::pair<uint32_t, std::string>>& writes() const { return writes_; }

 private:
  const std::string* Find(uint32_t format) const;
  // The formats the system synthesises from what is set.
  std::vector<uint32_t> Synthesised() const;

  FaultInjector* faults_;
  bool open_ = false;
  bool held_by_other_ = false;
  std::vector<std::pair<uint32_t, std::string>> contents_;
  std::vector<std::pair<uint32_t, std::string>> writes_;
  std::vector<std::string> registered_;  // format kFirstRegistered + i
};

}  // namespace pinlet::sim

#endif  // PINLET_PLATFORM_SIM_SIM_CLIPBOARD_H_
