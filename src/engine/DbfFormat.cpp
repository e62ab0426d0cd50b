#include "DbfFormat.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ctime>

namespace pulmora::engine::dbf {
namespace {

uint32_t readLe32(const std::vector<char>& b, size_t at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}

uint16_t readLe16(const std::vector<char>& b, size_t at) { return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8); }

void writeLe(std::vector<char>& b, size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + i] = char((value >> (8 * i)) & 0xFF);
}

bool validName(const std::string& name) {
    if (name.empty() || name.size() > size_t(kMaxNameLength)) return false;
    if (!std::isalpha(static_cast<unsigned char>(name[0]))) return false;
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

bool validWidth(const FieldDefinition& f) {
    return f.type == FieldType::Date ? f.width == 8 : f.width >= 1 && f.width <= 254;
}

// "a numeric field (type N)", for a type this program does not store.
std::string typeDescription(char type) {
    static const struct {
        char letter;
        const char* name;
    } known[] = {{'N', "numeric"},   {'F', "floating-point"}, {'L', "logical"},
                 {'M', "memo"},      {'B', "binary"},         {'G', "OLE"},
                 {'I', "integer"},   {'Y', "currency"},       {'T', "date-time"},
                 {'@', "timestamp"}, {'+', "autoincrement"},  {'0', "system"}};
    for (const auto& k : known)
        if (k.letter == type) return std::string("a ") + k.name + " field (type " + type + ")";
    if (std::isprint(static_cast<unsigned char>(type))) return std::string("of the unknown type ") + type;
    return "of the unknown type byte " + std::to_string(uint8_t(type));
}

std::optional<FieldDefinition> parseDescriptor(const std::vector<char>& b, size_t at, size_t number,
                                               std::string& reason) {
    std::string name;
    size_t i = 0;
    for (; i <= size_t(kMaxNameLength) && b[at + i] != '\0'; ++i) name.push_back(b[at + i]);
    bool clean = validName(name);
    for (; i <= size_t(kMaxNameLength); ++i) clean = clean && b[at + i] == '\0';  // nothing after the name's end
    if (!clean) {
        reason = "field descriptor " + std::to_string(number) + " has no valid field name";
        return std::nullopt;
    }
    const std::string field = "field " + std::to_string(number) + " \"" + name + "\"";
    FieldDefinition f;
    f.name = name;
    const char type = b[at + 11];
    if (type != char(FieldType::Character) && type != char(FieldType::Date)) {
        reason = field + " is " + typeDescription(type) + "; only character and date fields are stored";
        return std::nullopt;
    }
    f.type = FieldType(type);
    f.width = uint8_t(b[at + 16]);
    if (!validWidth(f)) {
        reason = field + " has the width " + std::to_string(f.width) + ", which a " +
                 (f.type == FieldType::Date ? "date field cannot have (dates are 8 wide)"
                                            : "character field cannot have (1 to 254)");
        return std::nullopt;
    }
    if (const int decimals = uint8_t(b[at + 17]); decimals != 0) {
        reason = field + " has " + std::to_string(decimals) + " decimals, which a " +
                 (f.type == FieldType::Date ? "date" : "character") + " field cannot have";
        return std::nullopt;
    }
    return f;
}

bool isRecordFlag(char flag) { return flag == kLive || flag == kDeleted; }

// Complete records that follow the counted ones, each led by a deletion flag.
uint64_t uncountedRecords(const std::vector<char>& b, uint64_t end, int recordLength) {
    uint64_t n = 0;
    for (uint64_t at = end; at + uint64_t(recordLength) <= b.size() && isRecordFlag(b[at]);
         at += uint64_t(recordLength))
        ++n;
    return n;
}

}  // namespace

int recordLength(const std::vector<FieldDefinition>& fields) {
    int length = 1;  // deletion flag
    for (const auto& f : fields) length += f.width;
    return length;
}

bool validFields(const std::vector<FieldDefinition>& fields, std::string& reason) {
    if (fields.empty()) {
        reason = "a table needs at least one field";
        return false;
    }
    for (const auto& f : fields) {
        if (!validName(f.name) || !validWidth(f)) {
            reason = "field \"" + f.name + "\" has an invalid name, type or width";
            return false;
        }
    }
    return true;
}

std::optional<Layout> parseHeader(const std::vector<char>& b, uint64_t fileSize, std::string& reason) {
    if (b.size() < size_t(kHeaderPrefix) + 1) {
        reason = "the file is too short to hold a table header";
        return std::nullopt;
    }
    if (uint8_t(b[0]) != kVersion) {
        reason = "the file is not a dBASE III table (version byte " + std::to_string(uint8_t(b[0])) + ")";
        return std::nullopt;
    }
    Layout layout;
    layout.recordCount = readLe32(b, 4);
    layout.headerLength = readLe16(b, 8);
    layout.recordLength = readLe16(b, 10);

    size_t at = kHeaderPrefix;
    while (true) {
        if (at >= b.size()) {
            reason = "the field descriptors have no terminator";
            return std::nullopt;
        }
        if (b[at] == kTerminator) break;
        if (at + kDescriptorSize > b.size()) {
            reason = "the field descriptors run past the end of the file";
            return std::nullopt;
        }
        auto field = parseDescriptor(b, at, layout.fields.size() + 1, reason);
        if (!field) return std::nullopt;
        layout.fields.push_back(*field);
        at += kDescriptorSize;
    }
    if (layout.fields.empty()) {
        reason = "the table has no fields";
        return std::nullopt;
    }
    // Some writers put one padding byte after the terminator; anything else is a damaged header.
    const int expectedHeader = int(at) + 1;
    if (layout.headerLength != expectedHeader && layout.headerLength != expectedHeader + 1) {
        reason = "the header length " + std::to_string(layout.headerLength) + " does not match its " +
                 std::to_string(layout.fields.size()) + " field descriptors";
        return std::nullopt;
    }
    if (layout.recordLength != recordLength(layout.fields)) {
        reason = "the record length " + std::to_string(layout.recordLength) + " does not match the field widths";
        return std::nullopt;
    }
    const uint64_t needed =
        uint64_t(layout.headerLength) + uint64_t(layout.recordCount) * uint64_t(layout.recordLength);
    if (needed > fileSize) {
        reason = "the record count " + std::to_string(layout.recordCount) + " reaches beyond the end of the file";
        return std::nullopt;
    }
    return layout;
}

std::optional<Layout> parse(const std::vector<char>& b, std::string& reason) {
    auto parsed = parseHeader(b, b.size(), reason);
    if (!parsed) return std::nullopt;
    Layout& layout = *parsed;
    const uint64_t needed =
        uint64_t(layout.headerLength) + uint64_t(layout.recordCount) * uint64_t(layout.recordLength);
    for (uint32_t r = 0; r < layout.recordCount; ++r) {
        const char flag = b[size_t(layout.headerLength) + size_t(r) * size_t(layout.recordLength)];
        if (!isRecordFlag(flag)) {
            reason = "record " + std::to_string(r + 1) + " has no valid deletion flag";
            return std::nullopt;
        }
        if (flag == kDeleted) ++layout.markedCount;
    }
    // Opening such a file would hide those records and let the next append overwrite one.
    if (const uint64_t extra = uncountedRecords(b, needed, layout.recordLength); extra > 1) {
        reason = "the file holds " + std::to_string(extra) + " complete records beyond the " +
                 std::to_string(layout.recordCount) + " its header counts";
        return std::nullopt;
    }
    return layout;
}

std::vector<char> image(std::vector<char> file, const Layout& layout) {
    const size_t records = size_t(layout.recordCount) * size_t(layout.recordLength);
    file.resize(size_t(layout.headerLength) + records);
    char* const first = file.data() + layout.headerLength;
    // This program pads with blanks only, so most files have no NUL to look for.
    if (!std::memchr(first, '\0', records)) return file;
    for (size_t record = 0; record < records; record += size_t(layout.recordLength)) {
        char* field = first + record + 1;  // past the deletion flag
        for (const auto& f : layout.fields) {
            for (char* end = field + f.width; end > field && (end[-1] == '\0' || end[-1] == ' '); --end) end[-1] = ' ';
            field += f.width;
        }
    }
    return file;
}

std::vector<char> header(const std::vector<FieldDefinition>& fields, uint32_t recordCount) {
    const int length = kHeaderPrefix + kDescriptorSize * int(fields.size()) + 1;
    std::vector<char> h(size_t(length), '\0');
    h[0] = char(kVersion);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    h[1] = char(local.tm_year % 256);
    h[2] = char(local.tm_mon + 1);
    h[3] = char(local.tm_mday);
    writeLe(h, 4, recordCount, 4);
    writeLe(h, 8, uint32_t(length), 2);
    writeLe(h, 10, uint32_t(recordLength(fields)), 2);
    h[29] = char(kWindowsAnsiDriver);
    size_t at = kHeaderPrefix;
    for (const auto& f : fields) {
        std::copy(f.name.begin(), f.name.end(), h.begin() + long(at));
        h[at + 11] = char(f.type);
        h[at + 16] = char(f.width);
        at += kDescriptorSize;
    }
    h[at] = kTerminator;
    return h;
}

}  // namespace pulmora::engine::dbf
