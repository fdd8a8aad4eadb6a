#include "ToolApplication.h"

#include "app/QtTranslations.h"
#include "common/ProgramFiles.h"

ToolApplication::ToolApplication(int& argc, char** argv) : m_app(argc, argv) {
    installQtTranslations();
    setProgramDir(m_program.path());
}
