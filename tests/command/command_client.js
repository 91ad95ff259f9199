// A late-bound client of QvxCmd, as a script or the administrator's editors
// use it: parse a line and read its parameters back.
// cscript ends with exit code 0 on an uncaught error, so everything runs
// inside try/catch and only a complete run prints the closing line.
function check(condition, what) {
    if (!condition)
        throw "check failed: " + what;
}

try {
    var command = new ActiveXObject("QvxCmd.QVCommand");
    command.FullCommand = "  RunProgram(c:\\tools\\app.exe,,Hidden)  ";
    check(command.FullCommand == "RunProgram(c:\\tools\\app.exe,,Hidden)", "FullCommand is " + command.FullCommand);
    check(command.GetCommandType() == "RunProgram", "type is " + command.GetCommandType());
    check(command.GetParameterAsString(1) == "c:\\tools\\app.exe", "parameter 1");
    check(command.GetParameterAsString(2) == "", "parameter 2");
    check(command.GetParameterAsString(3) == "Hidden", "parameter 3");
    check(command.GetParameterAsString(4) == "", "parameter 4 is past the end");

    command.FullCommand = "Delay(250,Seconds)";
    check(command.GetParameterAsInt(1) == 250, "Delay amount");
    check(command.SendKeyDelay == 100, "key delay");

    var raised = false;
    command.FullCommand = "Bogus(1)";
    try {
        command.Run();
    } catch (e) {
        raised = true;
    }
    check(raised, "Run of an unknown keyword raises an error");
    check(command.LastErrorString == "Unknown command \"Bogus\"", "error text is " + command.LastErrorString);

    var list = new ActiveXObject("QvxCmd.QVCmdCollection");
    list.Add(command);
    var second = new ActiveXObject("QvxCmd.QVCommand");
    second.FullCommand = "MessageBox(Hello, World)";
    list.Add(second);
    check(list.Count == 2, "count is " + list.Count);
    check(list.Item(1).GetParameterAsString(2) == " World", "second command's caption");
    var types = [];
    for (var items = new Enumerator(list); !items.atEnd(); items.moveNext())
        types.push(items.item().GetCommandType());
    check(types.join(",") == "Bogus,MessageBox", "enumerated " + types.join(","));

    WScript.Echo("command client completed");
    WScript.Quit(0);
} catch (e) {
    WScript.Echo("FAILED: " + (typeof e == "string" ? e : e.description + " (" + e.number + ")"));
    WScript.Quit(1);
}
