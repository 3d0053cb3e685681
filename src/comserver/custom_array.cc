#include "comserver/custom_array.h"

#include <algorithm>

#include "platform/com/com_error.h"
#include "platform/com/com_values.h"
#include "platform/host_error.h"

namespace pinlet::com {
namespace {

constexpr char kWhat[] = "custom";

// The array's elements, accessed for as long as it lives.
class AccessedData {
 public:
  explicit AccessedData(SAFEARRAY* array) : array_(array) {
    HRESULT hr = SafeArrayAccessData(array_, reinterpret_cast<void**>(&data_));
    if (FAILED(hr)) throw ErrorOfCall(hr, kWhat);
  }
  ~AccessedData() { SafeArrayUnaccessData(array_); }
  AccessedData(const AccessedData&) = delete;
  AccessedData& operator=(const AccessedData&) = delete;

  const VARIANT& operator[](LONG i) const { return data_[i]; }

 private:
  SAFEARRAY* array_;
  VARIANT* data_ = nullptr;
};

}  // namespace

CustomArray::CustomArray(SAFEARRAY** slot) : slot_(slot) {
  SAFEARRAY* array = slot ? *slot : nullptr;
  if (!array) return;
  VARTYPE type = VT_EMPTY;
  if (SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetVartype(array, &type)) ||
      type != VT_VARIANT)
    throw HostError(errors::kTypeMismatch, DescriptionOfNumber(errors::kTypeMismatch),
                    kWhat);
  LONG upper = 0;
  SafeArrayGetLBound(array, 1, &lower_bound_);
  SafeArrayGetUBound(array, 1, &upper);
  AccessedData data(array);
  for (LONG i = 0; i <= upper - lower_bound_; ++i)
    read_.push_back(TryGet([&] { return ValueOf(data[i], kWhat); }));
  values_ = read_;
}

void CustomArray::WriteBack() {
  if (!slot_) return;
  size_t old_size = read_.size();
  size_t new_size = values_.size();
  SAFEARRAY* array = *slot_;
  HRESULT resized = S_OK;
  if (!array) {
    if (new_size == 0) return;
    array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(new_size));
    if (!array) throw ErrorOfCall(E_OUTOFMEMORY, kWhat);
    *slot_ = array;
  } else if (new_size != old_size) {
    SAFEARRAYBOUND bound{static_cast<ULONG>(new_size), lower_bound_};
    resized = SafeArrayRedim(array, &bound);
  }
  size_t fits = SUCCEEDED(resized) ? new_size : std::min(old_size, new_size);
  for (size_t i = 0; i < fits; ++i) {
    if (i < old_size && values_[i] == read_[i]) continue;
    LONG index = lower_bound_ + static_cast<LONG>(i);
    VariantValue value = ToVariant(values_[i]);
    HRESULT hr = SafeArrayPutElement(array, &index, value.get());
    if (FAILED(hr)) throw ErrorOfCall(hr, kWhat);
  }
  if (FAILED(resized)) throw ErrorOfCall(resized, kWhat);
}

}  // namespace pinlet::com
