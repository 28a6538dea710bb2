#pragma once

class QTableView;

namespace orvalen {

// Sets up a table whose lines are whole records, as the plan list and the
// statistics show them: Shift and Ctrl extend the selection of whole rows,
// nothing is edited in place, Tab leaves the table, texts stay on one line
// and the rows have one fixed height without row numbers.
void setUpRowTable(QTableView& table);

} // namespace orvalen
