// The firewall of a plain C entry point: an export of a library, or a
// callback handed to one. Its body runs through com::AtComBoundary, the
// one place that catches everything, so that nothing C++ crosses the DLL
// boundary; the caller gets the body's answer, or the HRESULT of its
// failure.
#ifndef PINLET_PLATFORM_WIN32_CALL_BOUNDARY_H_
#define PINLET_PLATFORM_WIN32_CALL_BOUNDARY_H_

#include <cstdint>
#include <string_view>
#include <utility>

#include "platform/com/com_boundary.h"

namespace pinlet {

template <typename Body>
int32_t AtCallBoundary(std::string_view entry, Body&& body) {
  int32_t answer = 0;
  HRESULT hr = com::AtComBoundary(entry, [&] { answer = std::forward<Body>(body)(); });
  return FAILED(hr) ? static_cast<int32_t>(hr) : answer;
}

}  // namespace pinlet

#endif  // PINLET_PLATFORM_WIN32_CALL_BOUNDARY_H_
