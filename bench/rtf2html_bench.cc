// Throughput of RTF2HTML on RTF written the way a Windows rich-edit control writes it:
// formatting-heavy text, plain paragraphs, and a document that is mostly one picture.
// Each at 100 KB and 10 MB, so the two sizes show whether the time grows linearly.
// Then the hostile worst cases at 10 MB: an alignment switched before every
// character (the largest output per input byte) and two long font faces switched
// before every character; with their output ratio and the peak memory the
// conversion added (resident high-water mark, in MB).

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

#include "rtf/rtf2html.h"

namespace {

constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033"
    "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fprq2\\fcharset0 Times New "
    "Roman;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
    "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\f0\\fs20 ";
constexpr std::string_view kFooter = "\\par\r\n}\r\n";

enum class Kind { kPlain, kFormatted, kPicture, kAlignmentSwitches, kFaceSwitches };

// Paragraphs of ordinary text, one line per paragraph.
void AppendPlain(std::string& rtf, std::size_t n) {
  static constexpr std::string_view kSentences[] = {
      "Call the supplier about the delivery on Tuesday and ask for the new price list. ",
      "The meeting moved to room 4, bring the printed agenda and the budget figures. ",
      "Remember: the quarterly report is due at the end of the month, not before. ",
  };
  for (int i = 0; i < 4; ++i) rtf += kSentences[(n + i) % 3];
  rtf += "\\par\r\n";
}

// Text in which every few words change the formatting, with centred paragraphs and
// bullet lists between them.
void AppendFormatted(std::string& rtf, std::size_t n) {
  switch (n % 4) {
    case 0:
      rtf +=
          "Normal text, \\b bold\\b0  and \\i italic\\i0 , \\ul underlined\\ulnone , "
          "\\cf1 red\\cf0  and \\cf2\\b blue bold\\cf0\\b0 ; \\f1\\fs24 Times "
          "12\\f0\\fs20 "
          "caf\\'e9 \\'a9 2004 and x\\super 2\\nosupersub , \\strike gone\\strike0 "
          ".\\par\r\n";
      break;
    case 1:
      rtf +=
          "\\pard\\qc\\b\\fs28 A centred heading\\b0\\fs20\\par\r\n\\pard "
          "{\\i An aside in a group with \\b nested bold\\b0  text} after it.\\par\r\n";
      break;
    case 2:
      rtf +=
          "\\pard{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'"
          "B7}}"
          "\\fi-720\\li720 First item with \\b bold\\b0  word\\par\r\n"
          "{\\pntext\\f2\\'B7\\tab}Second item, \\cf1 red\\cf0  word\\par\r\n\\pard ";
      break;
    default:
      rtf +=
          "\\i\\ul Mixed\\ulnone  styles\\i0  \\b\\i both\\b0\\i0  and "
          "\\f1 a face\\f0  with\\tab a tab and 5 \\'80 < 6 & 7.\\par\r\n";
      break;
  }
}

// Every character attribute open under a list item, with two faces of the longest
// kind, then `cycle` until the document has `size` bytes.
std::string MakeWorstCase(std::string_view cycle, std::size_t size) {
  const std::string face(64, 'W');
  std::string rtf = "{\\fonttbl{\\f1 " + face + ";}{\\f2 " + face +
                    "X;}}{\\colortbl;\\red1;\\red2;}"
                    "\\bullet\\qc\\f1\\cf1\\fs100\\b\\i\\ul\\strike\\super x";
  rtf.reserve(size + cycle.size());
  while (rtf.size() < size) rtf += cycle;
  return rtf;
}

std::string MakeDocument(Kind kind, std::size_t size) {
  if (kind == Kind::kAlignmentSwitches) return MakeWorstCase("\\qc&\\qr&", size);
  if (kind == Kind::kFaceSwitches) return MakeWorstCase("\\f1 x\\f2 x", size);
  std::string rtf(kHeader);
  rtf.reserve(size + 1024);
  if (kind == Kind::kPicture) {
    rtf +=
        "A picture follows.\\par\r\n{\\pict\\wmetafile8\\picw26458\\pich15875"
        "\\picwgoal15000\\pichgoal9000 \r\n";
    static constexpr char kHex[] = "0123456789abcdef";
    std::size_t line = 0;
    while (rtf.size() + kFooter.size() + 64 < size) {
      rtf += kHex[(line * 7 + rtf.size()) % 16];
      if (++line % 128 == 0) rtf += "\r\n";
    }
    rtf += "\r\n}\\par\r\nEnd of note.";
  } else {
    for (std::size_t n = 0; rtf.size() + kFooter.size() < size; ++n) {
      if (kind == Kind::kPlain) {
        AppendPlain(rtf, n);
      } else {
        AppendFormatted(rtf, n);
      }
    }
  }
  rtf += kFooter;
  return rtf;
}

const std::string& Document(Kind kind, std::size_t size) {
  static std::map<std::pair<Kind, std::size_t>, std::string> cache;
  auto& doc = cache[{kind, size}];
  if (doc.empty()) doc = MakeDocument(kind, size);
  return doc;
}

long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::strlen(field)));
  return 0;
}

void Convert(benchmark::State& state, Kind kind) {
  const std::string& rtf = Document(kind, static_cast<std::size_t>(state.range(0)));
  std::size_t html_size = 0;
  long peak_kb = 0;
  for (auto _ : state) {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";  // resets the high-water mark
    const long before = StatusKb("VmRSS:");
    std::string html = pinlet::RTF2HTML(rtf, "+CR+I");
    peak_kb = std::max(peak_kb, StatusKb("VmHWM:") - before);
    html_size = html.size();
    benchmark::DoNotOptimize(html);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
  state.counters["html_bytes"] = static_cast<double>(html_size);
  state.counters["html_per_rtf_byte"] =
      static_cast<double>(html_size) / static_cast<double>(rtf.size());
  state.counters["peak_MB"] = static_cast<double>(peak_kb) / 1024;
}

void BM_Rtf2HtmlPlain(benchmark::State& state) { Convert(state, Kind::kPlain); }
void BM_Rtf2HtmlFormatted(benchmark::State& state) { Convert(state, Kind::kFormatted); }
void BM_Rtf2HtmlPicture(benchmark::State& state) { Convert(state, Kind::kPicture); }
void BM_Rtf2HtmlWorstAlignmentSwitches(benchmark::State& state) {
  Convert(state, Kind::kAlignmentSwitches);
}
void BM_Rtf2HtmlWorstFaceSwitches(benchmark::State& state) {
  Convert(state, Kind::kFaceSwitches);
}

constexpr std::int64_t k100KB = 100'000;
constexpr std::int64_t k10MB = 10'000'000;

BENCHMARK(BM_Rtf2HtmlPlain)->Arg(k100KB)->Arg(k10MB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Rtf2HtmlFormatted)->Arg(k100KB)->Arg(k10MB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Rtf2HtmlPicture)->Arg(k100KB)->Arg(k10MB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Rtf2HtmlWorstAlignmentSwitches)->Arg(k10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rtf2HtmlWorstFaceSwitches)->Arg(k10MB)->Unit(benchmark::kMillisecond);

}  // namespace
