#pragma once
#include <QLoggingCategory>

namespace orvalen {

// Log lines of the long-term display and of the network time: one line per
// unusable plan value or portal answer.
Q_DECLARE_LOGGING_CATEGORY(lcLongTerm)

} // namespace orvalen
