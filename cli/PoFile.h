// Translation messages in gettext's PO format, read and written through
// gettext's own library, so every PO tool reads what we write.
#pragma once

#include "job/TranslationExchange.h"

#include <string>
#include <vector>

namespace kalmo::cli {

// Writes a header entry (charset UTF-8) and the messages, safely, keeping an
// existing file as ".bak". Throws "Cannot create file ...".
void writePoFile(const std::string& path, const std::string& projectName, const std::vector<ExchangeMessage>& messages);

// The messages of a PO file, header and obsolete messages left out. Throws
// "Cannot open file ..." with the reason (a syntax error names its line).
std::vector<ExchangeMessage> readPoFile(const std::string& path);

} // namespace kalmo::cli
