#pragma once

// Our automation layer for Code Composer Studio. The configured program P
// (settings value "Code Composer Path") is driven through its command line:
//
//   "P" -Automation
//       runs an instance; a running instance holds the lock
//       CodeComposerLockName() for as long as it runs.
//   "P" -Automation -Version
//       prints the running instance's version as "major.minor".
//   "P" -Automation -OpenProject "path" "cpu family" 1
//       has the running instance open a project; exit code 0 on success.
//
// The objects below follow the shape of Code Composer's own automation
// objects: the application, its project manager, the project collection and
// an opened project. Every call checks its object first; an object that is
// not valid raises AutomationError.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "definition/seams.h"
#include "launch/launcher.h"

namespace bw {

// The class identifier of the application object, and the lock a running
// instance holds: "TiGoCodeComposerMutex" followed by that identifier.
inline constexpr const char* CODE_COMPOSER_CLASS_ID = "{5EA74970-F353-4E1A-83A0-0D59097FD1FC}";
std::string CodeComposerLockName();

// Raised by a call on an object that is not valid: the code 0x80040200 and the
// text class name + ": COM wrapper object is not valid\r\n".
class AutomationError : public std::runtime_error {
public:
    explicit AutomationError(const std::string& className);
    std::uint32_t Code() const { return 0x80040200u; }
};

// How long one automation call may take before its object counts as not valid.
inline constexpr int AUTOMATION_CALL_LIMIT_MILLISECONDS = 30000;

// The connection to one Code Composer Studio program.
class CodeComposerSession {
public:
    // pump runs between the wait steps of a call; cancelled, when given,
    // stops the call waited for by answering true.
    CodeComposerSession(Launcher& launcher, std::string program, std::function<void()> pump,
                        std::function<bool()> cancelled = {});

    // Attaches to the running instance, or starts one when none holds the
    // lock. False when there is no program to start or it cannot be started.
    bool StartOrAttach();
    bool IsConnected() const { return connected_; }
    // Runs one automation call with the given arguments after "-Automation";
    // true with its standard output when it ends with exit code 0.
    bool Call(const std::string& arguments, std::string& output);
    // True once a call was stopped because the user cancelled it.
    bool WasCancelled() const { return cancelledByUser_; }

private:
    Launcher& launcher_;
    std::string program_;
    std::function<void()> pump_;
    std::function<bool()> cancelled_;
    bool connected_ = false;
    bool cancelledByUser_ = false;
};

// What every automation object shares: its class name and its session.
class AutomationObject {
public:
    AutomationObject(const char* className, CodeComposerSession* session)
        : className_(className), session_(session) {}
    bool IsValid() const { return session_ != nullptr && session_->IsConnected(); }
    const char* ClassName() const { return className_; }

protected:
    // The session, or AutomationError when the object is not valid.
    CodeComposerSession& Checked() const;
    // Runs a call; a call that fails leaves the object's error raised.
    std::string CallOrRaise(const std::string& arguments) const;

private:
    const char* className_;
    CodeComposerSession* session_;
};

class CCProject2 : public AutomationObject {
public:
    explicit CCProject2(CodeComposerSession* session) : AutomationObject("CCProject2", session) {}
};

class CCProjects2 : public AutomationObject {
public:
    explicit CCProjects2(CodeComposerSession* session) : AutomationObject("CCProjects2", session) {}
    // Opens the project file with the CPU family text; flag as the caller gives it.
    CCProject2 Open(const std::string& path, const std::string& cpuFamily, int flag) const;
};

class CCProjMgr : public AutomationObject {
public:
    explicit CCProjMgr(CodeComposerSession* session) : AutomationObject("CCProjMgr", session) {}
    CCProjects2 Projects() const;
};

class CCApplication : public AutomationObject {
public:
    // Valid when the session is connected.
    explicit CCApplication(CodeComposerSession* session)
        : AutomationObject("CCApplication", session) {}
    CCProjMgr ProjectManager() const;
    void GetVersion(int& major, int& minor) const;
};

}  // namespace bw
