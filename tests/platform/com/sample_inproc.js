// A late-bound client of the in-process sample server, run by cscript.
// A script that dies on an uncaught error ends with exit code 0 and says
// nothing, so every failure is caught here and turned into exit code 1, and
// the test also waits for the closing line.
function check(condition, what) {
    if (!condition)
        throw new Error("check failed: " + what);
}

var step = "start";
try {
    step = "create";
    var calc = new ActiveXObject("TvxSample.Calc");
    check(calc.Add(2, 3) == 5, "Add(2, 3)");
    calc.Name = "nightly";
    check(calc.Name == "nightly", "Name is '" + calc.Name + "'");
    check(calc.Add(4, 5) == 9, "Add(4, 5)");
    check(calc.Count == 2, "Count is " + calc.Count);

    step = "enumerate";
    var sums = [];
    for (var e = new Enumerator(calc); !e.atEnd(); e.moveNext())
        sums.push(e.item());
    check(sums.join(",") == "5,9", "enumerated " + sums.join(","));

    step = "fail";
    var raised = false;
    try {
        calc.Fail("The task file can't be opened.");
    } catch (err) {
        raised = true;
        check(err.description == "The task file can't be opened.", "description '" + err.description + "'");
    }
    check(raised, "Fail raised no error");

    step = "versioned";
    var versioned = new ActiveXObject("TvxSample.Calc.1");
    check(versioned.Count == 0, "a new object per activation");

    WScript.Echo("SCRIPT OK");
} catch (e) {
    WScript.Echo("SCRIPT FAILED: " + (e.description || e.message || "error " + e.number) + " at " + step);
    WScript.Quit(1);
}
