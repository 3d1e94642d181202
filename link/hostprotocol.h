#pragma once
// The link host's protocol, included by the host (linkhost/) and by the manager's side
// (link/hostprocess). Plain C++, no Qt: the host is built for 32-bit Windows as well.
//
// Every message is a frame: the payload's length as a 32-bit little-endian number, then the
// payload, whose first byte is its kind. The host speaks first (Hello); then the manager
// sends one Call and the host sends one Answer, until the manager closes the host's input.
// docs/link-host.md describes every field.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace linkhost {

// The first four bytes of the Hello payload after its kind, "KIVH", so that anything else a
// host writes first is told apart from a host of another version.
constexpr uint32_t kMagic = 0x4856494Bu;
constexpr uint16_t kVersion = 2;

enum TKind : uint8_t { kHello = 1, kCall = 2, kAnswer = 3 };

// The six exports in the order of the contract; a call names its export by this number, and
// the Hello's export mask has bit N set when export N was found.
constexpr int kEntryCount = 6;
constexpr const char* kEntryNames[kEntryCount] = {"InitGBPMode",  "EndGBPMode",   "ReadNVMFile",
                                                  "WriteNVMFile", "ClearNVMFile", "GetNVMFileSize"};
enum TEntry : uint8_t { kInit, kEnd, kRead, kWrite, kClear, kSize };
// InitGBPMode, EndGBPMode and ReadNVMFile: the library is usable with these.
constexpr uint8_t kRequiredMask = 0x07;
// The virtual phone exports this beside the six, which no phone's own library does; its
// bit in the Hello's export mask follows the six, so a hosted demo phone is told as such.
constexpr const char* kDemoPhoneMarkName = "KivDemoPhone";
constexpr uint8_t kDemoPhoneMark = 1u << kEntryCount;

// The most bytes one call moves; a frame is never longer than this and its header.
constexpr uint32_t kMaxData = 16u * 1024u * 1024u;
constexpr uint32_t kMaxPayload = kMaxData + 64u;
constexpr size_t kFrameHeader = 4;
// Texts in a Hello (paths, reasons) are cut to this length.
constexpr size_t kMaxText = 4096;

// Byte layouts of the fixed parts, payload kind included.
constexpr size_t kHelloFixed = 1 + 4 + 2 + 1 + 1;  // kind, magic, version, exports, loaded
constexpr size_t kCallFixed = 1 + 1 + 4 + 4 + 4;   // kind, entry, first, second, length
constexpr size_t kAnswerFixed = 1 + 1 + 4 + 4;     // kind, entry, result, data length
// The longest hello: its fixed part and both texts at their longest.
constexpr size_t kHelloMax = kHelloFixed + 2 * (2 + kMaxText);

struct THello {
  uint16_t version = kVersion;
  uint8_t exports = 0;  // bit N: export N found; kDemoPhoneMark: the demo phone
  bool loaded = false;  // the library was loaded
  std::string library;  // the file loaded, or the last one tried
  std::string reason;   // why it could not be loaded, or which exports it lacks
};

struct TCall {
  uint8_t entry = kInit;
  uint32_t first = 0;   // port, or section
  uint32_t second = 0;  // subsection
  uint32_t length = 0;  // the buffer's length (read) or the data's (write)
};

struct TAnswer {
  uint8_t entry = kInit;
  int32_t result = 0;     // the library's result, unchanged
  uint32_t dataSize = 0;  // the bytes that follow: a read's bytes, at most its buffer
};

// The longest answer payload a call allows: the fixed part, and a read's buffer.
inline uint32_t AnswerLimit(const TCall& call) {
  return static_cast<uint32_t>(kAnswerFixed) + (call.entry == kRead ? call.length : 0u);
}

// Builds one frame: the length is filled in by Finish.
class TFrameWriter {
 public:
  TFrameWriter() : bytes_(kFrameHeader, 0) {}
  void U8(uint8_t value) { bytes_.push_back(value); }
  void U16(uint16_t value) {
    for (int i = 0; i < 2; ++i)
      bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
  void U32(uint32_t value) {
    for (int i = 0; i < 4; ++i)
      bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
  void Text(const std::string& text) {
    const size_t size = text.size() < kMaxText ? text.size() : kMaxText;
    U16(static_cast<uint16_t>(size));
    bytes_.insert(bytes_.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(size));
  }
  // The finished frame; data, when given, is appended to the payload without a copy of its own.
  std::vector<uint8_t>& Finish(uint32_t dataFollowing = 0) {
    const uint32_t length = static_cast<uint32_t>(bytes_.size() - kFrameHeader) + dataFollowing;
    for (int i = 0; i < 4; ++i)
      bytes_[i] = static_cast<uint8_t>(length >> (8 * i));
    return bytes_;
  }

 private:
  std::vector<uint8_t> bytes_;
};

// Reads a payload; every read past its end leaves the reader failed and yields zero.
class TPayloadReader {
 public:
  TPayloadReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}
  bool Ok() const { return ok_; }
  size_t Left() const { return ok_ ? size_ - at_ : 0; }
  const uint8_t* Here() const { return bytes_ + at_; }
  uint8_t U8() { return static_cast<uint8_t>(Take(1)); }
  uint16_t U16() { return static_cast<uint16_t>(Take(2)); }
  uint32_t U32() { return static_cast<uint32_t>(Take(4)); }
  std::string Text() {
    const uint16_t size = U16();
    if (!ok_ || size > size_ - at_) {
      ok_ = false;
      return {};
    }
    std::string text(reinterpret_cast<const char*>(bytes_ + at_), size);
    at_ += size;
    return text;
  }

 private:
  uint64_t Take(size_t count) {
    if (!ok_ || count > size_ - at_) {
      ok_ = false;
      return 0;
    }
    uint64_t value = 0;
    for (size_t i = 0; i < count; ++i)
      value |= static_cast<uint64_t>(bytes_[at_ + i]) << (8 * i);
    at_ += count;
    return value;
  }

  const uint8_t* bytes_;
  size_t size_;
  size_t at_ = 0;
  bool ok_ = true;
};

// A frame's payload length from its four header bytes.
inline uint32_t PayloadLength(const uint8_t* header) {
  return static_cast<uint32_t>(header[0]) | static_cast<uint32_t>(header[1]) << 8 |
         static_cast<uint32_t>(header[2]) << 16 | static_cast<uint32_t>(header[3]) << 24;
}

inline std::vector<uint8_t> HelloFrame(const THello& hello) {
  TFrameWriter frame;
  frame.U8(kHello);
  frame.U32(kMagic);
  frame.U16(hello.version);
  frame.U8(hello.exports);
  frame.U8(hello.loaded ? 1 : 0);
  frame.Text(hello.library);
  frame.Text(hello.reason);
  return frame.Finish();
}

// The frame of a call without its data; a write's data follows it.
inline std::vector<uint8_t> CallFrame(const TCall& call, uint32_t dataFollowing) {
  TFrameWriter frame;
  frame.U8(kCall);
  frame.U8(call.entry);
  frame.U32(call.first);
  frame.U32(call.second);
  frame.U32(call.length);
  return frame.Finish(dataFollowing);
}

// The frame of an answer without its data; a read's bytes follow it.
inline std::vector<uint8_t> AnswerFrame(const TAnswer& answer) {
  TFrameWriter frame;
  frame.U8(kAnswer);
  frame.U8(answer.entry);
  frame.U32(static_cast<uint32_t>(answer.result));
  frame.U32(answer.dataSize);
  return frame.Finish(answer.dataSize);
}

// What a payload held, or why it is not one of its kind.
enum class TParse { Ok, NotThisKind, Short, BadMagic, OtherVersion, Malformed };

// A payload's fields as read: whole when State is Ok, as far as they were read otherwise.
template <typename T>
struct TParsed {
  TParse State = TParse::Ok;
  T Value{};
};

// The version is read before anything else after the magic, so a host of another version
// is named as such whatever the rest of its Hello looks like.
inline TParsed<THello> ParseHello(const uint8_t* payload, size_t size) {
  TParsed<THello> parsed;
  THello& hello = parsed.Value;
  TPayloadReader reader(payload, size);
  const uint8_t kind = reader.U8();
  const uint32_t magic = reader.U32();
  if (!reader.Ok())
    parsed.State = TParse::Short;
  else if (kind != kHello || magic != kMagic)
    parsed.State = TParse::BadMagic;
  if (parsed.State != TParse::Ok)
    return parsed;
  hello.version = reader.U16();
  if (reader.Ok() && hello.version != kVersion) {
    parsed.State = TParse::OtherVersion;
    return parsed;
  }
  hello.exports = reader.U8();
  const uint8_t loaded = reader.U8();
  hello.library = reader.Text();
  hello.reason = reader.Text();
  hello.loaded = loaded == 1;
  if (!reader.Ok())
    parsed.State = TParse::Short;
  else if (loaded > 1 || hello.exports > (((1u << kEntryCount) - 1) | kDemoPhoneMark) ||
           reader.Left() != 0)
    parsed.State = TParse::Malformed;
  return parsed;
}

inline TParsed<TCall> ParseCall(const uint8_t* payload, size_t size) {
  TParsed<TCall> parsed;
  TCall& call = parsed.Value;
  TPayloadReader reader(payload, size);
  if (reader.U8() != kCall) {
    parsed.State = reader.Ok() ? TParse::NotThisKind : TParse::Short;
    return parsed;
  }
  call.entry = reader.U8();
  call.first = reader.U32();
  call.second = reader.U32();
  call.length = reader.U32();
  const size_t data = call.entry == kWrite ? call.length : 0;
  if (!reader.Ok())
    parsed.State = TParse::Short;
  else if (call.entry >= kEntryCount || call.length > kMaxData || reader.Left() != data)
    parsed.State = TParse::Malformed;
  return parsed;
}

// Reads the fixed part; the data, dataSize bytes, is what Left() holds after it.
inline TParsed<TAnswer> ParseAnswer(const uint8_t* payload, size_t size) {
  TParsed<TAnswer> parsed;
  TAnswer& answer = parsed.Value;
  TPayloadReader reader(payload, size);
  const uint8_t kind = reader.U8();
  if (!reader.Ok())
    parsed.State = TParse::Short;
  else if (kind != kAnswer)
    parsed.State = TParse::NotThisKind;
  if (parsed.State != TParse::Ok)
    return parsed;
  answer.entry = reader.U8();
  answer.result = static_cast<int32_t>(reader.U32());
  answer.dataSize = reader.U32();
  if (!reader.Ok())
    parsed.State = TParse::Short;
  else if (reader.Left() != answer.dataSize)
    parsed.State = answer.dataSize > reader.Left() ? TParse::Short : TParse::Malformed;
  return parsed;
}

}  // namespace linkhost
