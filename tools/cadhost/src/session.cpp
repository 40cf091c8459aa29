#include "session.h"

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <optional>

#include "acdocman.h"
#include "aced.h"
#include "acedhost.h"
#include "dbmain.h"
#include "dialog_driver.h"
#include "host_commands.h"
#include "rxdlinkr.h"
#include "wcrt.h"

#ifdef CADHOST_HAVE_REGISTRY
#include "winreg_standin.h"
#endif

namespace {

void report(std::FILE* errors, const std::wstring& message) {
    std::fprintf(errors, "cadhost: %s\n", wcrtToUtf8(message).c_str());
}

void onInterrupt(int) { acedHostInterrupt(); }

// The registry file for everything loaded into this process. The variable
// also reaches modules that carry their own copy of the registry code.
void useRegistry(const std::string& path) {
    if (path.empty()) return;
    setenv("KAVREL_REGISTRY", path.c_str(), 1);
#ifdef CADHOST_HAVE_REGISTRY
    RegStandInSetFile(path.c_str());
#endif
}

// The script, read and checked whole before anything runs.
std::optional<AcEdScript> readScript(const std::string& path, std::FILE* errors) {
    AcEdScript script;
    if (path == "-") {
        std::string text((std::istreambuf_iterator<char>(std::cin)),
                         std::istreambuf_iterator<char>());
        script = acedParseScript(text);
    } else {
        script = acedReadScriptFile(path);
    }
    if (script.ok()) return script;
    report(errors, script.error);
    return std::nullopt;
}

// Replaces the empty start-up drawing by the one named. Modules are loaded
// by then, so that entities of their classes are read as such.
bool openDrawing(const std::string& path, std::FILE* errors) {
    if (path.empty()) return true;
    std::wstring error;
    std::unique_ptr<AcDbDatabase> db = cadhostReadDrawing(wcrtFromUtf8(path), error);
    if (db == nullptr) {
        report(errors, error);
        return false;
    }
    AcApDocument* startup = curDoc();
    acDocManager->addDocument(std::move(db), wcrtFromUtf8(path));
    if (startup != nullptr) acDocManager->closeDocument(startup);
    return true;
}

bool loadModules(const std::vector<std::string>& modules, std::FILE* errors) {
    for (const std::string& m : modules) {
        if (acrxDynamicLinker->loadModule(wcrtFromUtf8(m).c_str(), false)) continue;
        report(errors, L"cannot load module \"" + wcrtFromUtf8(m) + L"\"");
        return false;
    }
    return true;
}

AcEdRunResult runCommands(const std::optional<AcEdScript>& script) {
    if (script) {
        AcEdScriptSource source(script->lines);
        return acedHostRun(source);
    }
    if (isatty(STDIN_FILENO) == 0) return {};
    std::signal(SIGINT, onInterrupt);
    AcEdTerminalSource terminal;
    AcEdRunResult result = acedHostRun(terminal);
    std::signal(SIGINT, SIG_DFL);
    return result;
}

// The drawing and its picture, written only after a complete run.
bool writeOutputs(const CadhostOptions& options, std::FILE* errors) {
    AcApDocument* doc = curDoc();
    std::wstring error;
    if (!options.save.empty() &&
        (doc == nullptr || !cadhostWriteDrawing(doc, wcrtFromUtf8(options.save), error))) {
        report(errors, doc == nullptr ? L"no drawing is open to save" : error);
        return false;
    }
    if (!options.svg.empty() &&
        (doc == nullptr || !cadhostWritePicture(doc, wcrtFromUtf8(options.svg), error,
                                                options.svgBackground == "dark"))) {
        report(errors, doc == nullptr ? L"no drawing is open to draw" : error);
        return false;
    }
    return true;
}

// Runs everything between loading and unloading the modules.
int runLoaded(const CadhostOptions& options, const std::optional<AcEdScript>& script,
              std::FILE* errors) {
    const AcEdRunResult result = runCommands(script);
    std::fflush(stdout);
    if (!result.ok) {
        report(errors, result.error);
        if (!options.save.empty() || !options.svg.empty()) report(errors, L"nothing was saved");
        return 1;
    }
    return writeOutputs(options, errors) ? 0 : 1;
}

}  // namespace

int cadhostRun(const CadhostOptions& options, std::FILE* errors) {
    useRegistry(options.registry);
    std::optional<AcEdScript> script;
    if (!options.script.empty() && !(script = readScript(options.script, errors))) return 1;
    acedHostSetTerminalEcho(true);
    cadhostAddCommands();
    // Dialogs are shown through the script or the terminal, owned by the main frame.
    CadhostDialogDriver dialogs;
    CUiDriver* otherDriver = UiSetDriver(&dialogs);
    CWnd frame;
    frame.SetWindowText(L"cadhost");
    acedHostSetAcadFrame(&frame);
    acDocManager->addDocument(nullptr, L"");
    int status = 1;
    if (loadModules(options.modules, errors) && openDrawing(options.open, errors))
        status = runLoaded(options, script, errors);
    // Drawings go before the modules: their entities may be of the modules' classes.
    acDocManager->closeAll();
    acrxDynamicLinker->unloadAll();
    acedHostSetAcadFrame(nullptr);
    UiSetDriver(otherDriver);
    acutPrintf(L"\n");  // leave the terminal on a fresh line
    std::fflush(stdout);
    return status;
}
