// A late-bound client of the engine, run by cscript: it reaches the engine's
// scheduler object by its ProgID and drives settings, work days, holidays,
// logins, refused calls and the running state. A script that dies on an
// uncaught error ends with exit code 0 and says nothing, so every failure is
// caught here and turned into exit code 1, and the test also waits for the
// closing line.
var E_FAIL = -2147467259;
var E_INVALIDARG = -2147024809;

function check(condition, what) {
    if (!condition)
        throw new Error("check failed: " + what);
}

// Calls f, which must fail with the given HRESULT.
function refused(f, hresult, what) {
    var raised = false;
    try {
        f();
    } catch (err) {
        raised = true;
        check(err.number == hresult, what + ": error " + err.number + " " + err.description);
    }
    check(raised, what + " was not refused");
}

// Wine's cscript has no WScript.Sleep: the script polls.
function waitFor(condition, seconds) {
    var start = new Date().getTime();
    while (!condition()) {
        if (new Date().getTime() - start > seconds * 1000)
            return false;
    }
    return true;
}

var step = "start";
var engine = null;
try {
    step = "create";
    engine = new ActiveXObject("Tarvex.QVScheduler");
    check(engine.IsService == 0, "started by COM for this client, not as a service");
    var display = engine.DisplayErrors;
    engine.DisplayErrors = 0;  // no box in the engine for the refusals below

    step = "settings";
    var interval = engine.ScheduleInterval;
    engine.ScheduleInterval = 15;
    check(engine.ScheduleInterval == 15, "ScheduleInterval is " + engine.ScheduleInterval);
    refused(function () { engine.ScheduleInterval = 0; }, E_INVALIDARG, "ScheduleInterval 0");
    check(engine.ScheduleInterval == 15, "a refused interval changed it");
    engine.ScheduleInterval = interval;

    step = "work days";
    var sunday = engine.IsWorkDay(6);
    engine.IsWorkDay(6) = 1;
    check(engine.IsWorkDay(6) == 1, "Sunday as a work day");
    engine.IsWorkDay(6) = sunday;
    refused(function () { return engine.IsWorkDay(7); }, E_INVALIDARG, "IsWorkDay(7)");

    step = "holidays";
    // Wine's JScript can pass a date as its day number but can't take one
    // back (no VT_DATE), so the dates themselves are not read here.
    var holidays = engine.GetHolidayCount();
    var christmas2029 = 47477;
    engine.AddHoliday(christmas2029);
    check(engine.GetHolidayCount() == holidays + 1, "holiday count " + engine.GetHolidayCount());
    engine.UpdateHoliday(holidays, christmas2029 + 1);
    refused(function () { engine.UpdateHoliday(holidays + 1, christmas2029); }, E_INVALIDARG,
            "UpdateHoliday past the end");
    engine.DeleteHoliday(holidays);
    check(engine.GetHolidayCount() == holidays, "holiday removed");
    refused(function () { return engine.Holiday(holidays); }, E_INVALIDARG, "Holiday past the end");

    step = "logins";
    var logins = engine.GetLoginCount();
    engine.AddLogin("Script account", "CORP", "scripter", "secret");
    check(engine.GetLoginCount() == logins + 1, "login count");
    check(engine.GetLoginInfo(logins, 1) == "Script account", "login description");
    check(engine.GetLoginInfo(logins, 3) == "scripter", "login name");
    check(engine.GetLoginInfo(logins, 9) == "", "unknown login field");
    refused(function () { return engine.GetLoginInfo(logins + 1, 1); }, E_INVALIDARG, "GetLoginInfo past the end");
    refused(function () { engine.DelLoginInfo(logins + 1); }, E_INVALIDARG, "DelLoginInfo past the end");
    engine.DelLoginInfo(logins);
    check(engine.GetLoginCount() == logins, "login removed");

    step = "tasks";
    refused(function () { engine.EnableTask("No such task", 1); }, E_FAIL, "EnableTask of an unknown task");
    refused(function () { engine.ResetTrigger("No such task"); }, E_FAIL, "ResetTrigger of an unknown task");
    refused(function () { engine.AddTask("No such task"); }, E_FAIL, "AddTask without a task file");
    engine.DisplayErrors = display;

    step = "running";
    engine.Start();
    check(waitFor(function () { return engine.IsRunning == 1; }, 10), "the scheduler did not run");
    check(engine.RunOnStartup == 1, "RunOnStartup follows Start");
    engine.Stop();
    check(engine.IsRunning == 0, "the scheduler still runs");
    check(engine.RunOnStartup == 0, "RunOnStartup follows Stop");

    engine = null;
    CollectGarbage();
    WScript.Echo("engine script client completed");
} catch (e) {
    WScript.Echo("SCRIPT FAILED: " + (e.description || e.message || "error " + e.number) + " at " + step);
    if (engine) {
        try { engine.Stop(); } catch (ignored) {}
    }
    engine = null;
    CollectGarbage();
    WScript.Quit(1);
}
