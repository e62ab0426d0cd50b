#include "SqlitePeer.h"

#include <stdexcept>

namespace pulmora::bench {

SqlitePeer::SqlitePeer(const std::string& path) {
    if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) throw std::runtime_error(sqlite3_errmsg(db_));
    exec("PRAGMA synchronous=FULL");
}

SqlitePeer::~SqlitePeer() { sqlite3_close(db_); }

void SqlitePeer::exec(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "sqlite error";
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

const char* SqlitePeer::schema() {
    return "CREATE TABLE personal(asid TEXT PRIMARY KEY, whoi, lnam, fnam, best INTEGER, pred INTEGER);"
           "CREATE TABLE daily(dyid TEXT PRIMARY KEY, asid TEXT, asdt TEXT, morn INTEGER, even INTEGER,"
           " cogd, brtd, whzd, chsd, cogn, brtn, whzn, chsn, actn, acts, miss, nrel INTEGER, nprv INTEGER,"
           " rate INTEGER);"
           "CREATE INDEX daily_person ON daily(asid, asdt);"
           "CREATE TABLE pertrig(asid TEXT, trig TEXT, PRIMARY KEY(asid, trig));"
           "CREATE TABLE permed(mdid TEXT PRIMARY KEY, asid TEXT, anam, mdus, ctgy);"
           "CREATE TABLE reftrig(trig TEXT PRIMARY KEY);"
           "CREATE TABLE dlytrig(dyid TEXT, asid TEXT, trig TEXT, asdt TEXT, PRIMARY KEY(dyid, trig));"
           "CREATE INDEX dlytrig_person ON dlytrig(asid, asdt);"
           "CREATE TABLE dlymed(dyid TEXT, asid TEXT, mdid TEXT, anam, tmus INTEGER, ctgy, asdt TEXT,"
           " PRIMARY KEY(dyid, mdid));"
           "CREATE INDEX dlymed_person ON dlymed(asid, asdt);";
}

SqlitePeer::Statement::Statement(sqlite3* db, const char* sql) {
    if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) throw std::runtime_error(sqlite3_errmsg(db));
}

SqlitePeer::Statement::~Statement() { sqlite3_finalize(stmt_); }

SqlitePeer::Statement& SqlitePeer::Statement::bind(int index, const std::string& text) {
    sqlite3_bind_text(stmt_, index, text.c_str(), int(text.size()), SQLITE_TRANSIENT);
    return *this;
}

SqlitePeer::Statement& SqlitePeer::Statement::bind(int index, int value) {
    sqlite3_bind_int(stmt_, index, value);
    return *this;
}

bool SqlitePeer::Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(sqlite3_db_handle(stmt_)));
    return false;
}

void SqlitePeer::Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int SqlitePeer::Statement::integer(int column) const { return sqlite3_column_int(stmt_, column); }

}  // namespace pulmora::bench
