#include "DbfFormat.h"

#include <algorithm>
#include <cctype>
#include <ctime>

namespace pulmora::engine::dbf {
namespace {

uint32_t readLe32(const std::vector<char>& b, size_t at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
           uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}

uint16_t readLe16(const std::vector<char>& b, size_t at) {
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

void writeLe(std::vector<char>& b, size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + i] = char((value >> (8 * i)) & 0xFF);
}

bool validName(const std::string& name) {
    if (name.empty() || name.size() > size_t(kMaxNameLength)) return false;
    if (!std::isalpha(static_cast<unsigned char>(name[0]))) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    });
}

bool validWidth(const FieldSpec& f) {
    return f.type == FieldType::Date ? f.width == 8 : f.width >= 1 && f.width <= 254;
}

std::optional<FieldSpec> parseDescriptor(const std::vector<char>& b, size_t at) {
    std::string name;
    size_t i = 0;
    for (; i <= size_t(kMaxNameLength) && b[at + i] != '\0'; ++i) name.push_back(b[at + i]);
    for (; i <= size_t(kMaxNameLength); ++i)
        if (b[at + i] != '\0') return std::nullopt;  // text after the name's end
    if (!validName(name)) return std::nullopt;

    FieldSpec f;
    f.name = name;
    const char type = b[at + 11];
    if (type != char(FieldType::Character) && type != char(FieldType::Date)) return std::nullopt;
    f.type = FieldType(type);
    f.width = uint8_t(b[at + 16]);
    if (uint8_t(b[at + 17]) != 0 || !validWidth(f)) return std::nullopt;
    return f;
}

}  // namespace

int recordLength(const std::vector<FieldSpec>& fields) {
    int length = 1;  // deletion flag
    for (const auto& f : fields) length += f.width;
    return length;
}

bool validFields(const std::vector<FieldSpec>& fields, std::string& reason) {
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

std::optional<Layout> parse(const std::vector<char>& b, std::string& reason) {
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
        auto field = parseDescriptor(b, at);
        if (!field) {
            reason = "field descriptor " + std::to_string(layout.fields.size() + 1) + " does not parse";
            return std::nullopt;
        }
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
        reason = "the header length " + std::to_string(layout.headerLength) +
                 " does not match its " + std::to_string(layout.fields.size()) + " field descriptors";
        return std::nullopt;
    }
    if (layout.recordLength != recordLength(layout.fields)) {
        reason = "the record length " + std::to_string(layout.recordLength) +
                 " does not match the field widths";
        return std::nullopt;
    }
    const uint64_t needed =
        uint64_t(layout.headerLength) + uint64_t(layout.recordCount) * uint64_t(layout.recordLength);
    if (needed > b.size()) {
        reason = "the record count " + std::to_string(layout.recordCount) +
                 " reaches beyond the end of the file";
        return std::nullopt;
    }
    for (uint32_t r = 0; r < layout.recordCount; ++r) {
        const char flag = b[size_t(layout.headerLength) + size_t(r) * size_t(layout.recordLength)];
        if (flag != kLive && flag != kDeleted) {
            reason = "record " + std::to_string(r + 1) + " has no valid deletion flag";
            return std::nullopt;
        }
    }
    return layout;
}

std::vector<char> header(const std::vector<FieldSpec>& fields, uint32_t recordCount) {
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
