#pragma once

#include <memory>
#include <optional>
#include <string>

namespace ostrel {

// The task managers whose tasks an objective can link to, reached through this one seam.
// None of them exists on Linux, so the installed bridge answers that they are not there;
// tests install one that records.
class TaskManagerBridge {
public:
    enum class App { Things, OmniFocus, TheHitList };

    virtual ~TaskManagerBridge() = default;

    virtual bool isInstalled(App app) = 0;
    // Starts the application; true when it runs afterwards.
    virtual bool activate(App app) = 0;
    // Things: completes the to-do and/or moves it to the logbook; false for an unknown one.
    virtual bool markThingsToDo(const std::string& identifier, bool complete, bool moveToLogBook) = 0;
    // The Hit List: marks the task with this identifier (searched in the inbox and folders,
    // one level of subtasks deep) completed; false when none has it.
    virtual bool markHitListTask(const std::string& identifier) = 0;
    // OmniFocus: runs the script text; the error it reported, or none on success.
    virtual std::optional<std::string> runScript(const std::string& script) = 0;

    static TaskManagerBridge& current();
    // Null restores the platform's own bridge.
    static void install(std::shared_ptr<TaskManagerBridge> bridge);
};

// The bridge of a system without any of the three applications.
class AbsentTaskManagers : public TaskManagerBridge {
public:
    bool isInstalled(App) override { return false; }
    bool activate(App) override { return false; }
    bool markThingsToDo(const std::string&, bool, bool) override { return false; }
    bool markHitListTask(const std::string&) override { return false; }
    std::optional<std::string> runScript(const std::string&) override { return "OmniFocus is not installed"; }
};

}
