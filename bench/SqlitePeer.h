#pragma once

#include <sqlite3.h>

#include <string>

namespace pulmora::bench {

// The same diary held in SQLite: one table per record file, keyed like the tags, synchronous=FULL.
class SqlitePeer {
public:
    explicit SqlitePeer(const std::string& path);
    ~SqlitePeer();
    SqlitePeer(const SqlitePeer&) = delete;
    SqlitePeer& operator=(const SqlitePeer&) = delete;

    sqlite3* db() const { return db_; }
    void exec(const char* sql);

    // A prepared statement, finalized when it goes out of scope.
    class Statement {
    public:
        Statement(sqlite3* db, const char* sql);
        ~Statement();
        Statement(const Statement&) = delete;
        Statement& operator=(const Statement&) = delete;
        Statement& bind(int index, const std::string& text);
        Statement& bind(int index, int value);
        bool step();  // true while a row is there
        void reset();
        int integer(int column) const;

    private:
        sqlite3_stmt* stmt_ = nullptr;
    };

    static const char* schema();

private:
    sqlite3* db_ = nullptr;
};

}  // namespace pulmora::bench
