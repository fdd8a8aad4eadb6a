#pragma once

#include "ScratchProgramDir.h"

#include <QApplication>

// What every window tool starts with, in this order: its scratch program
// folder (made before the application object, as it moves the per-user
// folders), the application with Qt's own texts as the program shows them,
// and the scratch folder as the program folder. The tool then copies the
// data files in.
class ToolApplication {
public:
    ToolApplication(int& argc, char** argv);

    const ScratchProgramDir& program() const { return m_program; }

private:
    ScratchProgramDir m_program;
    QApplication m_app;
};
