// A late-bound client of QvxTask.QVSchedTrigger, as a script or the
// administrator uses it: a daily schedule, rescheduled, read back.
// cscript ends with exit code 0 on an uncaught error, so everything runs
// inside try/catch and only a complete run prints the closing line.
function check(condition, what) {
    if (!condition)
        throw "check failed: " + what;
}

// Wine's JScript has no getVarDate: dates go in as automation date numbers
// (days since 30 December 1899, local wall clock) and come back as dates.
var kDay = 24 * 60 * 60 * 1000;
function automationDate(d) {
    return (Date.UTC(d.getFullYear(), d.getMonth(), d.getDate(), d.getHours(), d.getMinutes(), d.getSeconds()) -
            Date.UTC(1899, 11, 30)) / kDay;
}
function seconds(days) {
    return Math.round(days * 86400);
}

try {
    var trigger = new ActiveXObject("QvxTask.QVSchedTrigger");

    // Daily, every second day, at a time half an hour from now; last due
    // four days before that.
    var due = automationDate(new Date(new Date().getTime() + 30 * 60 * 1000));
    var behind = due - 4;
    trigger.Frequency = 1;
    trigger.Multiplier = 2;
    trigger.NextSchedTime = behind;
    check(seconds(automationDate(new Date(trigger.NextSchedTime))) == seconds(behind), "NextSchedTime reads back");
    check(trigger.GetFrequencyAsString() == "Daily - Every 2 days ",
          "frequency text is \"" + trigger.GetFrequencyAsString() + "\"");

    trigger.ReSchedule();
    var next = automationDate(new Date(trigger.NextSchedTime));
    check(seconds(next) == seconds(due), "next run " + new Date(trigger.NextSchedTime) + " is half an hour from now");
    check(trigger.NextScheduleAsString() == trigger.GetDateTimeString("NEXT_SCHEDULED"), "next-run texts agree");
    check(trigger.NextScheduleAsString() != trigger.GetDateTimeString("LAST_SCHEDULED"), "the next run moved");

    // Flags by index (JScript can read them; writing takes VBScript).
    check(trigger.WeekDaySelected(6) == 1 && trigger.IsMonthScheduled(11) == 1, "flags by index");

    // An impossible schedule is refused with its reason, and the next run
    // stays.
    trigger.Multiplier = 0;
    var refused = "";
    try {
        trigger.ReSchedule();
    } catch (e) {
        refused = e.description;
    }
    check(refused == "The schedule's multiplier must be at least 1.", "refusal text is \"" + refused + "\"");
    check(seconds(automationDate(new Date(trigger.NextSchedTime))) == seconds(next),
          "a refused ReSchedule keeps the next run");

    WScript.Echo("schedule trigger client completed");
    WScript.Quit(0);
} catch (e) {
    WScript.Echo("FAILED: " + (typeof e == "string" ? e : e.description + " (" + e.number + ")"));
    WScript.Quit(1);
}
