// A library that has only the first of the support library's calls, for
// the loader's refusal of an incomplete library.
#include "platform/win32/libzarvo_calls.h"

extern "C" int32_t WINAPI LibZarvoInit(int32_t, int32_t, IDispatch*, int32_t,
                                       LibZarvoQuickStart) {
  return 0;
}
