// A late-bound client of QvxTask: a task made by a script, given a schedule
// and a script of its own, run on request and by Start, and asked for its
// status, as the administrator's list shows it.
// cscript ends with exit code 0 on an uncaught error, so everything runs
// inside try/catch and only a complete run prints the closing line.
function check(condition, what) {
    if (!condition)
        throw "check failed: " + what;
}

try {
    var task = new ActiveXObject("QvxTask.QVTask");
    task.Description = "Script task";
    task.TriggerType = 1;
    task.Enabled = 1;

    // The schedule: daily, next run computed from now.
    task.Frequency = 1;
    task.ReSchedule();
    check(task.Enabled == 1, "a daily task stays enabled after ReSchedule");
    var frequency = task.GetFrequencyAsString();
    check(frequency != "" && frequency != "Manual", "frequency text is " + frequency);
    var next = task.GetNextScheduledAsString();
    check(next != "" && next != "Never" && next != "Past Due-No Action", "next run text is " + next);

    // The script: two lines.
    var line = new ActiveXObject("QvxCmd.QVCommand");
    line.FullCommand = "// written by a script";
    task.Add(line);
    line = new ActiveXObject("QvxCmd.QVCommand");
    line.FullCommand = "* and a second line";
    task.Add(line);
    check(task.Count == 2, "command count is " + task.Count);

    task.Run();
    check(task.IsRunning == 0, "idle after the run");
    check(task.StartedByScheduler == 0, "a run on request");
    check(task.GetStatusAsString() == "Enabled", "status is " + task.GetStatusAsString());

    // Started as the engine starts it: running at once, idle again after
    // the grace second and the run.
    task.StartedByScheduler = 1;
    task.Start();
    check(task.IsRunning == 1, "running after Start");
    check(task.GetStatusAsString() == "Running", "status while running is " + task.GetStatusAsString());
    // Wine's WScript has no Sleep: poll against the clock.
    var giveUp = new Date().getTime() + 10000;
    while (task.IsRunning == 1 && new Date().getTime() < giveUp) {
    }
    check(task.IsRunning == 0, "idle after the started run");

    // A task without commands: the run fails with its reason.
    var empty = new ActiveXObject("QvxTask.QVTask");
    empty.Description = "Empty";
    var reason = "";
    try {
        empty.Run();
    } catch (e) {
        reason = e.description;
    }
    check(reason == "This task does not contain any actions", "failure text is " + reason);

    WScript.Echo("task client completed");
    WScript.Quit(0);
} catch (e) {
    WScript.Echo("FAILED: " + (typeof e == "string" ? e : e.description + " (" + e.number + ")"));
    WScript.Quit(1);
}
