#pragma once

#include <QString>

// The instruction text a coding agent gets to fill services.json from a software
// project: what to look for, the catalog as a lookup table, how to check an unknown
// status page, and how to merge into the file.
namespace AgentPrompt {

// One line per catalog entry, in catalog order: name | URL | provider. No trailing line
// break.
QString catalogTable();

// The whole prompt naming the services file at `filePath` (a plain path).
QString text(const QString &filePath);

} // namespace AgentPrompt
