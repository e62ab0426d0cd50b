#pragma once

#include <string>
#include <vector>

// Thin, durable file access for the table engine. Every function answers false and sets
// `error` instead of throwing.
namespace pulmora::engine::io {

// Opens an existing file for reading and writing; -1 when it is missing or cannot be opened.
int openReadWrite(const std::string& path, std::string& error, bool& missing);
bool readAll(int fd, std::vector<char>& bytes, std::string& error);
bool writeAt(int fd, long long offset, const char* data, size_t size, std::string& error);
// Returns once the written data has reached the disk.
bool sync(int fd, std::string& error);
// Writes a complete new file beside `path`, syncs it and renames it over `path`, so a crash
// leaves either the old file or the new one, never a mixture.
bool replaceWhole(const std::string& path, const std::vector<char>& bytes, std::string& error);
void close(int fd);

}  // namespace pulmora::engine::io
