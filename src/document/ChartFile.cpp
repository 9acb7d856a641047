#include "document/ChartFile.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Messages.h"

namespace plume::document {
namespace {

using platform::StringId;

constexpr std::size_t kPictureChunk = 1 << 20;

std::uint32_t LoadBigEndian(const unsigned char b[4]) {
  return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) |
         std::uint32_t{b[3]};
}

void StoreBigEndian(std::uint32_t v, unsigned char b[4]) {
  b[0] = static_cast<unsigned char>(v >> 24);
  b[1] = static_cast<unsigned char>(v >> 16);
  b[2] = static_cast<unsigned char>(v >> 8);
  b[3] = static_cast<unsigned char>(v);
}

// The version is read the way a C runtime reads a number: leading blanks,
// an optional sign, then digits up to the first other character.
int ParseVersion(const char* digits) {
  int i = 0;
  while (i < 3 && std::isspace(static_cast<unsigned char>(digits[i]))) ++i;
  bool negative = false;
  if (i < 3 && (digits[i] == '+' || digits[i] == '-')) negative = digits[i++] == '-';
  int value = 0;
  for (; i < 3 && std::isdigit(static_cast<unsigned char>(digits[i])); ++i)
    value = value * 10 + (digits[i] - '0');
  return negative ? -value : value;
}

// The three version characters as they may be shown (anything else as "?").
std::string Printable(const char* bytes, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    s += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
  }
  return s;
}

class ChartReader {
 public:
  ChartReader(ChartDocument& doc, std::istream& in, const platform::PictureCodec& codec)
      : doc_(doc), in_(in), codec_(codec) {}

  bool Read();

 private:
  bool ReadBytes(void* into, std::size_t n) {
    in_.read(static_cast<char*>(into), static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(in_.gcount()) == n;
  }
  bool ReadCount(std::int32_t& count) {
    unsigned char b[4];
    if (!ReadBytes(b, 4)) return false;
    count = static_cast<std::int32_t>(LoadBigEndian(b));
    return true;
  }
  // Reads a table count and its records; shows the refusal and fails when the
  // count is negative, over `limit` or the records are not all there.
  template <typename Record>
  bool ReadTable(std::vector<Record>& table, int limit, StringId overLimit, const char* tag,
                 std::int32_t& count);
  bool Damaged(std::string_view prefix) {
    platform::ShowMessage(StringId::DocumentDamaged, prefix);
    return false;
  }
  bool ReadPicture(std::uint32_t length, platform::Bytes& bytes);

  ChartDocument& doc_;
  std::istream& in_;
  const platform::PictureCodec& codec_;
};

template <typename Record>
bool ChartReader::ReadTable(std::vector<Record>& table, int limit, StringId overLimit,
                            const char* tag, std::int32_t& count) {
  std::int32_t n = 0;
  if (!ReadCount(n)) return Damaged(std::string("[") + tag + " Count]\n");
  if (n > limit) {
    count = 0;
    platform::ShowMessage(overLimit, platform::CountOverLimitLine(n, limit));
    return false;
  }
  if (n < 0) return Damaged(std::to_string(n) + " < 0\n");
  if (n > 0 && !ReadBytes(table.data(), sizeof(Record) * static_cast<std::size_t>(n)))
    return Damaged(std::string("[") + tag + " Records]\n");
  count = n;
  return true;
}

// Reads a picture entry in chunks, so a length that promises more than the
// file holds costs no more memory than the file itself.
bool ChartReader::ReadPicture(std::uint32_t length, platform::Bytes& bytes) {
  bytes.clear();
  std::size_t done = 0;
  while (done < length) {
    std::size_t chunk = std::min<std::size_t>(kPictureChunk, length - done);
    bytes.resize(done + chunk);
    if (!ReadBytes(bytes.data() + done, chunk)) return false;
    done += chunk;
  }
  return true;
}

bool ChartReader::Read() {
  char magic[kChartMagicSize] = {};
  in_.read(magic, kChartMagicSize);
  const auto got = in_.gcount();
  if (got < 3 || std::memcmp(magic, "PBD", 3) != 0) {
    platform::ShowMessage(StringId::FileFormatDiffers);
    return false;
  }
  if (got < kChartMagicSize) return Damaged("[Magic]\n");
  const int version = ParseVersion(magic + 3);
  if (version != 1 && version != 2) {
    platform::ShowMessage(StringId::UnsupportedVersion, "ver " + Printable(magic + 3, 3) + "\n");
    return false;
  }

  if (!ReadBytes(&doc_.header, sizeof doc_.header)) return Damaged("[Header]\n");
  if (!ReadTable(doc_.arcs, ChartDocument::kMaxArcs, StringId::TooManyArcs, "Arc", doc_.arcCount))
    return false;
  if (!ReadTable(doc_.nodes, ChartDocument::kMaxNodes, StringId::TooManyNodes, "Node",
                 doc_.nodeCount))
    return false;

  // The file's `image` fields are no handles of ours: take them out at once,
  // keeping the version 1 picture lengths.
  std::vector<std::uint32_t> v1Lengths;
  if (version == 1) v1Lengths.resize(static_cast<std::size_t>(doc_.nodeCount));
  for (int i = 0; i < doc_.nodeCount; ++i) {
    if (version == 1) v1Lengths[static_cast<std::size_t>(i)] = doc_.nodes[i].image;
    doc_.nodes[i].image = PictureTable::kNone;
    doc_.nodeStates[i] = NodeViewState{};
  }

  if (!ReadTable(doc_.slips, ChartDocument::kMaxSlips, StringId::TooManySlips, "Slip",
                 doc_.slipCount))
    return false;

  std::int32_t pageCount = 0;
  if (!ReadTable(doc_.pages, ChartDocument::kMaxPages, StringId::TooManyPages, "Page", pageCount)) {
    doc_.header.pageCount = 0;
    return false;
  }
  doc_.header.pageCount = static_cast<std::uint16_t>(pageCount);
  if (pageCount == 0) return Damaged("[Page Count]\n0 < 1\n");
  if (doc_.header.currentPage >= doc_.header.pageCount)
    return Damaged(std::to_string(doc_.header.currentPage) +
                   " >= " + std::to_string(doc_.header.pageCount) + "\n");

  platform::Bytes bytes;
  for (int i = 0; i < doc_.nodeCount; ++i) {
    NodeRecord& node = doc_.nodes[i];
    if (!node.hasImage) continue;
    std::uint32_t length = 0;
    if (version == 2) {
      unsigned char b[4];
      if (!ReadBytes(b, 4)) return Damaged("[Picture]\n");
      length = LoadBigEndian(b);
    } else {
      length = v1Lengths[static_cast<std::size_t>(i)];
    }
    if (!ReadPicture(length, bytes)) return Damaged("[Picture]\n");
    // A picture the decoder refuses keeps its bytes, to be written back as read.
    if (length > 0) {
      std::unique_ptr<platform::Picture> picture = codec_.Decode(bytes);
      node.image = picture ? doc_.pictures.Add(std::move(picture)) : doc_.pictures.AddUndecoded(bytes);
    }
  }
  if (version == 1) {
    for (int i = 0; i < doc_.nodeCount; ++i)
      if (doc_.nodes[i].hasImage) doc_.nodes[i].transColor = kNoColor;
  }
  return true;
}

}  // namespace

bool ReadChart(ChartDocument& doc, std::istream& in, const platform::PictureCodec& codec) {
  doc.Clear();
  if (ChartReader(doc, in, codec).Read()) return true;
  doc.NewDocument();
  return false;
}

bool WriteChart(const ChartDocument& doc, std::ostream& out) {
  auto writeBytes = [&out](const void* p, std::size_t n) {
    out.write(static_cast<const char*>(p), static_cast<std::streamsize>(n));
  };
  auto writeCount = [&](std::uint32_t n) {
    unsigned char b[4];
    StoreBigEndian(n, b);
    writeBytes(b, 4);
  };
  auto writeTable = [&](const auto& table, std::int32_t count) {
    writeCount(static_cast<std::uint32_t>(count));
    if (count > 0) writeBytes(table.data(), sizeof(table[0]) * static_cast<std::size_t>(count));
  };

  writeBytes(kChartMagic, kChartMagicSize);
  writeBytes(&doc.header, sizeof doc.header);
  writeTable(doc.arcs, doc.arcCount);
  // Picture handles mean nothing outside this process: the stored field is 0.
  std::vector<NodeRecord> nodes(doc.nodes.begin(), doc.nodes.begin() + doc.nodeCount);
  for (NodeRecord& node : nodes) node.image = 0;
  writeTable(nodes, doc.nodeCount);
  writeTable(doc.slips, doc.slipCount);
  writeTable(doc.pages, doc.header.pageCount);

  // Every node with hasImage gets an entry, a zero length when it has no
  // picture, so the section stays in step with the flags.
  for (int i = 0; i < doc.nodeCount; ++i) {
    if (!doc.nodes[i].hasImage) continue;
    platform::Bytes bytes;
    if (const platform::Picture* picture = doc.pictures.Get(doc.nodes[i].image)) {
      bytes = picture->EncodedBytes();
      if (bytes.empty()) bytes = picture->BitmapFileCopy();
      if (bytes.size() > UINT32_MAX) bytes.clear();  // cannot be described by the length field
    } else if (const platform::Bytes* kept = doc.pictures.Undecoded(doc.nodes[i].image)) {
      bytes = *kept;
    }
    writeCount(static_cast<std::uint32_t>(bytes.size()));
    if (!bytes.empty()) writeBytes(bytes.data(), bytes.size());
  }
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace plume::document
