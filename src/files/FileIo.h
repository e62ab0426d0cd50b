#pragma once

#include <string>
#include <vector>

// Thin, durable file access shared by the table engine, the store's backups, the settings file
// and the files a user saves. Paths are bytes, as the system takes them (the Qt side encodes
// them with QFile::encodeName), so no name is ever converted through a locale. Every function
// answers false and sets `error` instead of throwing.
namespace pulmora::files {

// Whether a symbolic link under a name is followed to the file it names.
enum class Links { Followed, NotFollowed };

// Opens an existing file, for reading and writing or for reading only; -1 when it is missing
// or cannot be opened. `missing` is set only when nothing at all stands under that name: a
// link whose target is gone is a problem to report, not a file to create.
int openExisting(const std::string& path, bool writable, std::string& error, bool& missing);
bool readAll(int fd, std::vector<char>& bytes, std::string& error);
bool writeAt(int fd, long long offset, const char* data, size_t size, std::string& error);
// Returns once the written data has reached the disk.
bool sync(int fd, std::string& error);
void close(int fd);

// The whole content of a file; a link is followed, or refused as no plain file.
bool readFile(const std::string& path, std::vector<char>& bytes, std::string& error, Links links = Links::Followed);
// Renames a file or folder within one file system and waits until the rename is on disk, so a
// crash leaves it under either name, never under both or neither.
bool renameDurably(const std::string& from, const std::string& to, std::string& error);
// Makes a folder for its owner only and waits until it is on disk; a folder already there is no error.
bool makeFolder(const std::string& path, std::string& error);
// Removes a file and waits until its removal is on disk; a file that is not there is no error.
bool removeDurably(const std::string& path, std::string& error);

}  // namespace pulmora::files
