' A late-bound client of QvxStorg, as a script uses it: save tasks through
' the task storage, read one back into a new task, and list the tasks of the
' storage's tasks folder by reading each file through the storage.
' The storage's host is the program that loaded it, cscript.exe, so the
' tasks folder is the one beside cscript.exe. (VBScript: Wine's JScript
' can't enumerate a folder's files.)
' cscript ends with exit code 0 on an uncaught error, so every step is
' checked and only a complete run prints the closing line.
Option Explicit
On Error Resume Next

Dim fso, tasksFolder, names
Set fso = CreateObject("Scripting.FileSystemObject")
tasksFolder = fso.GetParentFolderName(WScript.FullName) & "\tasks"
names = Array("Script client first", "Script client second")

Sub CleanUp()
    Dim i, path
    For i = 0 To UBound(names)
        path = tasksFolder & "\" & names(i) & ".tsk"
        If fso.FileExists(path) Then fso.DeleteFile path
    Next
End Sub

Sub Check(condition, what)
    If Err.Number <> 0 Then
        WScript.Echo "FAILED: " & what & ": " & Err.Description & " (" & Err.Number & ")"
        Err.Clear
        CleanUp
        WScript.Quit 1
    End If
    If Not condition Then
        WScript.Echo "FAILED: " & what
        CleanUp
        WScript.Quit 1
    End If
End Sub

CleanUp
Dim storage
Set storage = CreateObject("QvxStorg.QVTaskStorage")
Check True, "QvxStorg.QVTaskStorage"

Dim i, task, command
For i = 0 To UBound(names)
    Set task = CreateObject("QvxTask.QVTask")
    Check True, "QvxTask.QVTask"
    task.Description = names(i)
    task.LogFile = "C:\logs\script client.log"
    task.IsEnabled = 1
    task.StopMinutes = 15 + i
    task.TriggerType = 1
    task.Frequency = 2
    Set command = CreateObject("QvxCmd.QVCommand")
    command.FullCommand = "Delay(" & (i + 1) & ",Seconds)"
    task.Add command
    Check True, "setting up " & names(i)
    storage.Write task, 0
    Check fso.FileExists(tasksFolder & "\" & names(i) & ".tsk"), "the file of " & names(i)
Next

Dim readBack
Set readBack = CreateObject("QvxTask.QVTask")
readBack.Description = names(0)
storage.Read readBack, 0
Check True, "reading " & names(0)
Check readBack.LogFile = "C:\logs\script client.log", "LogFile is " & readBack.LogFile
Check readBack.IsEnabled = 1, "IsEnabled is " & readBack.IsEnabled
Check readBack.StopMinutes = 15, "StopMinutes is " & readBack.StopMinutes
Check readBack.Frequency = 2, "Frequency is " & readBack.Frequency
Check readBack.Count = 1, "command count is " & readBack.Count
Check readBack.Item(0).FullCommand = "Delay(1,Seconds)", "command is " & readBack.Item(0).FullCommand

Dim file, listedTask, listed
listed = ""
For Each file In fso.GetFolder(tasksFolder).Files
    If LCase(fso.GetExtensionName(file.Name)) = "tsk" Then
        Set listedTask = CreateObject("QvxTask.QVTask")
        listedTask.Description = fso.GetBaseName(file.Name)
        storage.Read listedTask, 0
        Check True, "reading " & file.Name
        listed = listed & "[" & listedTask.Description & " (" & listedTask.StopMinutes & ")]"
    End If
Next
Check InStr(listed, "[Script client first (15)]") > 0, "listed " & listed
Check InStr(listed, "[Script client second (16)]") > 0, "listed " & listed

Dim bad, refused
Set bad = CreateObject("QvxTask.QVTask")
bad.Description = "..\outside"
storage.Write bad, 0
refused = (Err.Number <> 0)
Err.Clear
Check refused, "a description with a path is refused"

storage.Delete readBack, 0
Check Not fso.FileExists(tasksFolder & "\" & names(0) & ".tsk"), "the first file is deleted"
CleanUp
WScript.Echo "listed: " & listed
WScript.Echo "storage client completed"
WScript.Quit 0
