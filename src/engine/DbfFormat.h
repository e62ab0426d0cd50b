#pragma once

#include "Table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The dBASE III file layout: a 32-byte header, one 32-byte descriptor a field, a 0x0D
// terminator, then fixed-length records, each led by its deletion flag, and a 0x1A end mark.
namespace pulmora::engine::dbf {

constexpr unsigned char kVersion = 0x03;
constexpr unsigned char kWindowsAnsiDriver = 0x03;  // language driver: Windows-1252
constexpr char kTerminator = 0x0D;
constexpr char kEndOfFile = 0x1A;
constexpr char kLive = ' ';
constexpr char kDeleted = '*';
constexpr int kHeaderPrefix = 32;
constexpr int kDescriptorSize = 32;
constexpr int kMaxNameLength = 10;

struct Layout {
    std::vector<FieldDefinition> fields;
    uint32_t recordCount = 0;
    uint32_t markedCount = 0;  // records marked deleted
    int headerLength = 0;
    int recordLength = 0;
};

// Reads and checks the layout a file's header gives: `bytes` holds the file from its start, at
// least to the end of its header, and the file is `fileSize` bytes long, enough for every record
// the header counts. No record is looked at.
std::optional<Layout> parseHeader(const std::vector<char>& bytes, uint64_t fileSize, std::string& reason);

// Reads and checks the layout of a whole file's bytes. Any inconsistency gives the reason in
// `reason` and no layout. One complete record past the header's count is what an append cut
// short between its record and its count leaves; it was never committed and is not counted.
// More than one is damage this program did not make, and such a file does not parse.
std::optional<Layout> parse(const std::vector<char>& file, std::string& reason);

// A parsed file cut to its header and counted records. NUL bytes at the end of a field are
// padding, as some writers pad with them: they read as blanks, as keys and values alike.
std::vector<char> image(std::vector<char> file, const Layout& layout);

// The header bytes (prefix, descriptors, terminator) for the given fields and record count.
std::vector<char> header(const std::vector<FieldDefinition>& fields, uint32_t recordCount);

int recordLength(const std::vector<FieldDefinition>& fields);

// Checks a field list before a table is created with it.
bool validFields(const std::vector<FieldDefinition>& fields, std::string& reason);

}  // namespace pulmora::engine::dbf
