#pragma once

struct sqlite3;

// The SQLite functions that text translated by JetSql calls: jet_like,
// jet_left, jet_right, jet_mid, jet_ucase, jet_lcase, jet_instr,
// jet_concat, jet_space, jet_int, jet_pow, jet_now, jet_date and the
// jet_first / jet_last aggregates. Database registers them on every
// connection.
namespace jetfunctions {

void registerAll(sqlite3 *db);

} // namespace jetfunctions
