// The VBScript value: a 16-byte tag plus union, strings and arrays shared and ref-counted.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace chartorium::vbscript {

/// Subtype codes, numbered as VarType reports them.
enum class VarType : uint16_t {
  Empty = 0,
  Null = 1,
  Integer = 2,
  Long = 3,
  Single = 4,
  Double = 5,
  Currency = 6,
  Date = 7,
  String = 8,
  Object = 9,
  Error = 10,
  Boolean = 11,
  Byte = 17,
  Array = 8204,  ///< vbArray Or vbVariant: every script array holds Variants
  Ref = 0x4000,  ///< internal: a ByRef parameter slot pointing at the caller's variable
};

/// The Error value a left-out argument `f(a, , c)` passes (DISP_E_PARAMNOTFOUND).
inline constexpr int32_t MissingArgument = static_cast<int32_t>(0x80020004u);

class StringRep;
class ArrayRep;
class ScriptObject;

/// A Variant. Copying a string or an array shares its storage; arrays are copied on write,
/// so `y = x` behaves as a copy of the whole array without copying it up front.
class Variant {
 public:
  Variant() noexcept : type_(VarType::Empty), heap_(false) { bits_ = 0; }
  Variant(const Variant& other) noexcept : type_(other.type_), heap_(other.heap_) {
    bits_ = other.bits_;
    if (heap_) AddRef();
  }
  Variant(Variant&& other) noexcept : type_(other.type_), heap_(other.heap_) {
    bits_ = other.bits_;
    other.type_ = VarType::Empty;
    other.heap_ = false;
  }
  Variant& operator=(const Variant& other) noexcept {
    // Numbers replace numbers without touching any count.
    if (!heap_ && !other.heap_) {
      type_ = other.type_;
      bits_ = other.bits_;
      return *this;
    }
    if (this != &other) {
      Variant copy(other);
      Swap(copy);
    }
    return *this;
  }
  Variant& operator=(Variant&& other) noexcept {
    if (this == &other) return *this;
    if (!heap_) {
      type_ = other.type_;
      heap_ = other.heap_;
      bits_ = other.bits_;
      other.type_ = VarType::Empty;
      other.heap_ = false;
      return *this;
    }
    Variant moved(std::move(other));
    Swap(moved);
    return *this;
  }
  ~Variant() {
    if (heap_) Release();
  }

  static Variant MakeNull() { return Variant(VarType::Null); }
  static Variant Integer(int16_t value) {
    Variant v(VarType::Integer);
    v.i16_ = value;
    return v;
  }
  static Variant Long(int32_t value) {
    Variant v(VarType::Long);
    v.i32_ = value;
    return v;
  }
  static Variant Byte(uint8_t value) {
    Variant v(VarType::Byte);
    v.u8_ = value;
    return v;
  }
  static Variant Boolean(bool value) {
    Variant v(VarType::Boolean);
    v.i16_ = value ? -1 : 0;
    return v;
  }
  static Variant Single(float value) {
    Variant v(VarType::Single);
    v.f32_ = value;
    return v;
  }
  static Variant Double(double value) {
    Variant v(VarType::Double);
    v.f64_ = value;
    return v;
  }
  /// REQUIRES: value is the amount times 10000.
  static Variant Currency(int64_t scaled) {
    Variant v(VarType::Currency);
    v.i64_ = scaled;
    return v;
  }
  /// Days since 1899-12-30, the fraction being the time of day.
  static Variant Date(double serial) {
    Variant v(VarType::Date);
    v.f64_ = serial;
    return v;
  }
  static Variant ErrorCode(int32_t code) {
    Variant v(VarType::Error);
    v.i32_ = code;
    return v;
  }
  static Variant String(std::string_view text);
  static Variant String(std::string&& text);
  static Variant String(const char* text) { return String(std::string_view(text)); }
  /// An object reference; nullptr is Nothing. Takes a new reference.
  static Variant Object(ScriptObject* object);
  static Variant Nothing() { return Object(nullptr); }
  /// Takes over one reference the caller holds.
  static Variant AdoptArray(ArrayRep* array);
  /// A one-dimensional array lower..upper of Empty (upper = lower - 1 is empty).
  static Variant NewArray(int32_t lower, int32_t upper);
  /// An internal ByRef slot; never visible to scripts.
  static Variant MakeRef(Variant* target) {
    Variant v(VarType::Ref);
    v.ref_ = target;
    return v;
  }

  VarType Type() const { return type_; }
  bool IsEmpty() const { return type_ == VarType::Empty; }
  bool IsNull() const { return type_ == VarType::Null; }
  bool IsString() const { return type_ == VarType::String; }
  bool IsArray() const { return type_ == VarType::Array; }
  bool IsObject() const { return type_ == VarType::Object; }
  bool IsNothing() const { return type_ == VarType::Object && obj_ == nullptr; }
  bool IsRef() const { return type_ == VarType::Ref; }
  /// Integer, Long, Byte, Boolean, Single, Double, Currency or Date.
  bool IsNumeric() const;

  int16_t AsInteger() const { return i16_; }
  int32_t AsLong() const { return i32_; }
  uint8_t AsByte() const { return u8_; }
  bool AsBoolean() const { return i16_ != 0; }
  float AsSingle() const { return f32_; }
  double AsDouble() const { return f64_; }
  int64_t AsCurrency() const { return i64_; }
  double AsDate() const { return f64_; }
  int32_t AsErrorCode() const { return i32_; }
  /// REQUIRES: IsString().
  const std::string& AsString() const;
  /// REQUIRES: IsArray().
  const ArrayRep& AsArray() const { return *arr_; }
  /// The array for writing: unshared first if another Variant still shares it.
  /// REQUIRES: IsArray().
  ArrayRep& MutableArray();
  /// The string for appending in place: unshared first. REQUIRES: IsString().
  std::string& MutableString();
  /// REQUIRES: IsObject(); nullptr for Nothing.
  ScriptObject* AsObject() const { return obj_; }
  /// REQUIRES: IsRef().
  Variant* RefTarget() const { return ref_; }
  /// This value, or the variable a ByRef slot points at.
  Variant& Deref() { return type_ == VarType::Ref ? *ref_ : *this; }
  const Variant& Deref() const { return type_ == VarType::Ref ? *ref_ : *this; }

  /// In-place stores of a number, for loop counters and accumulators.
  void SetInteger(int16_t value) {
    if (heap_) Release();
    type_ = VarType::Integer;
    bits_ = 0;
    i16_ = value;
  }
  void SetLong(int32_t value) {
    if (heap_) Release();
    type_ = VarType::Long;
    bits_ = 0;
    i32_ = value;
  }
  void SetDouble(double value) {
    if (heap_) Release();
    type_ = VarType::Double;
    f64_ = value;
  }

  void Swap(Variant& other) noexcept {
    std::swap(type_, other.type_);
    std::swap(heap_, other.heap_);
    std::swap(bits_, other.bits_);
  }
  void Clear() {
    if (heap_)
      Release();
    else
      type_ = VarType::Empty;
  }

 private:
  explicit Variant(VarType type) : type_(type), heap_(false) { bits_ = 0; }
  void AddRef() const;
  void Release();

  VarType type_;
  bool heap_;  ///< the union holds a counted pointer
  union {
    int16_t i16_;
    int32_t i32_;
    uint8_t u8_;
    float f32_;
    double f64_;
    int64_t i64_;
    StringRep* str_;
    ArrayRep* arr_;
    ScriptObject* obj_;
    Variant* ref_;
    uint64_t bits_;
  };
};

static_assert(sizeof(Variant) == 16, "a Variant is a tag and one word");

/// Shared text of a String Variant (UTF-8).
class StringRep {
 public:
  explicit StringRep(std::string text) : Text(std::move(text)) {}
  uint32_t Refs = 1;
  std::string Text;
};

/// One dimension of an array: its lower bound and its element count.
struct ArrayBound {
  int32_t Lower = 0;
  int32_t Count = 0;
};

/// The elements of a script array; the first index varies fastest in Data.
class ArrayRep {
 public:
  uint32_t Refs = 1;
  bool Fixed = false;  ///< declared with bounds by Dim: ReDim refuses it
  std::vector<ArrayBound> Bounds;
  std::vector<Variant> Data;

  int Dimensions() const { return static_cast<int>(Bounds.size()); }
  /// Offset of the element at `indexes` in Data, or -1 when out of range or of the wrong count.
  int64_t Offset(std::span<const int32_t> indexes) const;
};

/// Anything a Variant can reference as an object: script class instances and host objects.
class ScriptObject {
 public:
  ScriptObject() = default;
  ScriptObject(const ScriptObject&) = delete;
  ScriptObject& operator=(const ScriptObject&) = delete;
  virtual ~ScriptObject() = default;
  /// Called when the last reference goes; the default destroys the object.
  virtual void LastReleased();
  /// The name TypeName reports.
  virtual std::string TypeName() const = 0;

  uint32_t Refs = 0;
};

}  // namespace chartorium::vbscript
