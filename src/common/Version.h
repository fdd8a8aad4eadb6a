#pragma once

#include "common/ComType.h"

#include <QString>

// Splits a dotted version text; empty parts are skipped, missing or
// non-numeric parts count 0. The text itself is kept unchanged.
TVersion parseVersion(const QString& text);

// The version compiled into this build.
TVersion buildVersion();
