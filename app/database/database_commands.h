#pragma once

#include <string_view>

namespace app {

// Shows the rows of a database table or query in the main grid instead of the
// in-memory table: connects (an empty text lets the person pick the data source),
// asks for the table or query, and remembers the connection without its password.
void connectDatabase(std::string_view connection);
// Connects with the connection text remembered last.
void connectRecentDatabase();
// Asks for another table or query of the connected database.
void chooseQuery();
// The in-memory table comes back, as it was before connecting.
void disconnectDatabase();
void closeDatabaseOnExit();

}  // namespace app
