// Reference counting and shared storage of Variant.
#include "vbscript/Variant.h"

#include <memory>

namespace chartorium::vbscript {

namespace {

// Counted storage is created through unique_ptr and handed to the counting Variant; the last
// Release takes it back into a unique_ptr, so ownership is never held by a bare pointer
// outside these two spots.
template <typename T, typename... Args>
T* CreateCounted(Args&&... args) {
  return std::make_unique<T>(std::forward<Args>(args)...).release();
}

template <typename T>
void DestroyCounted(T* p) {
  std::unique_ptr<T> owner(p);
}

}  // namespace

void ScriptObject::LastReleased() {
  DestroyCounted(this);
}

Variant Variant::String(std::string_view text) {
  Variant v(VarType::String);
  v.str_ = CreateCounted<StringRep>(std::string(text));
  v.heap_ = true;
  return v;
}

Variant Variant::String(std::string&& text) {
  Variant v(VarType::String);
  v.str_ = CreateCounted<StringRep>(std::move(text));
  v.heap_ = true;
  return v;
}

Variant Variant::Object(ScriptObject* object) {
  Variant v(VarType::Object);
  v.obj_ = object;
  if (object) {
    ++object->Refs;
    v.heap_ = true;
  }
  return v;
}

Variant Variant::AdoptArray(ArrayRep* array) {
  Variant v(VarType::Array);
  v.arr_ = array;
  v.heap_ = true;
  return v;
}

Variant Variant::NewArray(int32_t lower, int32_t upper) {
  ArrayRep* array = CreateCounted<ArrayRep>();
  const int32_t count = upper >= lower ? upper - lower + 1 : 0;
  array->Bounds.push_back({lower, count});
  array->Data.resize(static_cast<size_t>(count));
  return AdoptArray(array);
}

bool Variant::IsNumeric() const {
  switch (type_) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Byte:
    case VarType::Boolean:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
      return true;
    default:
      return false;
  }
}

const std::string& Variant::AsString() const {
  return str_->Text;
}

ArrayRep& Variant::MutableArray() {
  if (arr_->Refs > 1) {
    ArrayRep* copy = CreateCounted<ArrayRep>();
    copy->Fixed = arr_->Fixed;
    copy->Bounds = arr_->Bounds;
    copy->Data = arr_->Data;
    --arr_->Refs;
    arr_ = copy;
  }
  return *arr_;
}

std::string& Variant::MutableString() {
  if (str_->Refs > 1) {
    StringRep* copy = CreateCounted<StringRep>(str_->Text);
    --str_->Refs;
    str_ = copy;
  }
  return str_->Text;
}

void Variant::AddRef() const {
  switch (type_) {
    case VarType::String:
      ++str_->Refs;
      break;
    case VarType::Array:
      ++arr_->Refs;
      break;
    case VarType::Object:
      ++obj_->Refs;
      break;
    default:
      break;
  }
}

void Variant::Release() {
  const VarType type = type_;
  type_ = VarType::Empty;
  heap_ = false;
  switch (type) {
    case VarType::String:
      if (--str_->Refs == 0) DestroyCounted(str_);
      break;
    case VarType::Array:
      if (--arr_->Refs == 0) DestroyCounted(arr_);
      break;
    case VarType::Object:
      if (--obj_->Refs == 0) obj_->LastReleased();
      break;
    default:
      break;
  }
}

int64_t ArrayRep::Offset(std::span<const int32_t> indexes) const {
  if (indexes.size() != Bounds.size()) return -1;
  int64_t offset = 0;
  int64_t stride = 1;
  for (size_t i = 0; i < indexes.size(); ++i) {
    const int64_t k = static_cast<int64_t>(indexes[i]) - Bounds[i].Lower;
    if (k < 0 || k >= Bounds[i].Count) return -1;
    offset += k * stride;
    stride *= Bounds[i].Count;
  }
  return offset;
}

}  // namespace chartorium::vbscript
