#pragma once

#include <QString>

// What the build settings give this build. The values live in one generated
// source file (BuildInfo.cpp.in), so that changing them rebuilds that file
// alone and relinks the programs.

// The dotted version of the project, e.g. "1.0.0.1".
QString buildVersionText();

// The data server setting as it was given: a host name, or an address with
// scheme, port and path (see dataServerBaseUrl()).
QString dataServerSetting();
