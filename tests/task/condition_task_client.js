// A late-bound client of QvxTask that builds a condition task: the condition
// trigger's members reached through the task's own IDispatch, as a script
// can't ask for another interface. The task watches this very script file,
// fires on the condition's edge, and is saved, read back and deleted.
// cscript ends with exit code 0 on an uncaught error, so everything runs
// inside try/catch and only a complete run prints the closing line.
function check(condition, what) {
    if (!condition)
        throw "check failed: " + what;
}

try {
    var watched = WScript.ScriptFullName;
    var task = new ActiveXObject("QvxTask.QVTask");
    task.Description = "Script condition task";
    task.TriggerType = 2;  // File Watch
    task.RunAsSystem = 1;
    task.Enabled = 1;
    task.Frequency = 4;  // the schedule's: not by time

    // The condition trigger's own names.
    task.CondType = 5;  // File Exists
    task.CondName = watched;
    task.AutoReset = 1;
    task.Action = 2;
    check(task.CondType == 5, "CondType is " + task.CondType);
    check(task.CondName == watched, "CondName is " + task.CondName);
    check(task.AutoReset == 1, "AutoReset is " + task.AutoReset);
    check(task.GetConditionString() == "Not Active",
          "an unchecked condition reads " + task.GetConditionString());

    // As the engine asks before each test: the condition is switched on and
    // its action cleared.
    check(task.NeedToCheckCondition() == 1, "the condition is to be checked");
    check(task.Action == 0, "Action after the check request is " + task.Action);
    check(task.GetConditionString() == "File Exists", "condition text is " + task.GetConditionString());
    task.Reset();
    check(task.HasToggled == 1, "a reset condition has toggled");

    // The file is there: the task fires once, on the edge.
    check(task.DoCondition() == 1, "the condition fires");
    check(task.DoCondition() == 0, "and not again while it stays true");
    check(task.Active == 1, "last result is " + task.Active);
    check(task.GetLastActiveString() == "True", "last result text is " + task.GetLastActiveString());
    check(task.GetFrequencyAsString() == "File Watch", "frequency text is " + task.GetFrequencyAsString());
    check(task.GetNextScheduledAsString() == "On Condition", "next run text is " + task.GetNextScheduledAsString());

    // Saved and read back by another task object, a condition task still.
    task.WriteToStorage(0);
    var again = new ActiveXObject("QvxTask.QVTask");
    again.Description = "Script condition task";
    again.ReadFromStorage(0);
    check(again.TriggerType == 2, "TriggerType read back is " + again.TriggerType);
    check(again.CondType == 5, "CondType read back is " + again.CondType);
    check(again.CondName == watched, "CondName read back is " + again.CondName);
    check(again.AutoReset == 1, "AutoReset read back is " + again.AutoReset);
    again.DeleteFromStorage(0);

    WScript.Echo("condition task client completed");
    WScript.Quit(0);
} catch (e) {
    WScript.Echo("FAILED: " + (typeof e == "string" ? e : e.description + " (" + e.number + ")"));
    WScript.Quit(1);
}
