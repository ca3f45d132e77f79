' Scripting.FileSystemObject and TextStream, in a fresh working folder.
Const ForReading = 1, ForWriting = 2, ForAppending = 8
Dim fso, ts, f, folder, s, n, item, v
Set fso = CreateObject("Scripting.FileSystemObject")
WScript.Echo TypeName(fso)
WScript.Echo CStr(fso.FolderExists("data")), CStr(fso.FileExists("data/a.txt"))
Set folder = fso.CreateFolder("data")
WScript.Echo CStr(fso.FolderExists("data")), folder.Name
Set ts = fso.CreateTextFile("data/a.txt", True)
ts.WriteLine "first line"
ts.Write "second"
ts.Write " part"
ts.WriteLine
ts.WriteBlankLines 1
ts.WriteLine "last"
ts.Close
WScript.Echo CStr(fso.FileExists("data/a.txt"))
Set ts = fso.OpenTextFile("data/a.txt", ForReading)
WScript.Echo ts.ReadLine
WScript.Echo ts.ReadLine
WScript.Echo "[" & ts.ReadLine & "]"
WScript.Echo CStr(ts.AtEndOfStream)
WScript.Echo ts.ReadLine
WScript.Echo CStr(ts.AtEndOfStream)
ts.Close
Set ts = fso.OpenTextFile("data/a.txt")
s = ts.ReadAll
ts.Close
WScript.Echo Len(s), CStr(InStr(s, "second part" & vbCrLf) > 0), CStr(Right(s, 2) = vbCrLf)
Set f = fso.GetFile("data/a.txt")
WScript.Echo f.Name, f.Size, CStr(f.Size = Len(s)), TypeName(f.DateLastModified)
Set ts = fso.OpenTextFile("data/a.txt", ForAppending)
ts.Write "more"
ts.Close
Set ts = fso.OpenTextFile("data/a.txt", ForReading)
n = 0
Do Until ts.AtEndOfStream
    s = ts.ReadLine
    n = n + 1
Loop
ts.Close
WScript.Echo n, s
Set ts = fso.OpenTextFile("data/b.txt", ForWriting, True)
ts.Write "abc"
ts.Close
Set ts = fso.OpenTextFile("data/b.txt", ForReading)
WScript.Echo ts.Read(2), ts.Read(5), CStr(ts.AtEndOfStream)
ts.Close
Set ts = fso.OpenTextFile("data/b.txt", ForWriting)
ts.Write "replaced"
ts.Close
WScript.Echo fso.OpenTextFile("data/b.txt").ReadAll
fso.CopyFile "data/b.txt", "data/c.txt"
WScript.Echo CStr(fso.FileExists("data/c.txt")), fso.GetFile("data/c.txt").Size
fso.MoveFile "data/c.txt", "data/d.txt"
WScript.Echo CStr(fso.FileExists("data/c.txt")), CStr(fso.FileExists("data/d.txt"))
fso.CreateFolder "data/sub"
Set folder = fso.GetFolder("data")
WScript.Echo folder.Files.Count, folder.SubFolders.Count
s = ""
For Each item In folder.Files
    If item.Name = "d.txt" Then s = "found d.txt"
Next
WScript.Echo s
For Each item In folder.SubFolders
    WScript.Echo "sub: " & item.Name
Next
fso.DeleteFile "data/d.txt"
WScript.Echo CStr(fso.FileExists("data/d.txt")), fso.GetFolder("data").Files.Count
WScript.Echo fso.GetFileName("data/a.txt"), fso.GetBaseName("data/a.txt"), fso.GetExtensionName("data/a.txt")
WScript.Echo fso.GetParentFolderName("data/a.txt"), "[" & fso.GetExtensionName("noext") & "]"
WScript.Echo fso.GetFileName(fso.BuildPath("data", "a.txt")), CStr(fso.FileExists(fso.BuildPath("data", "a.txt")))
WScript.Echo CStr(fso.FolderExists(fso.GetAbsolutePathName("data")))
fso.DeleteFolder "data/sub"
WScript.Echo CStr(fso.FolderExists("data/sub"))
Set ts = fso.CreateTextFile("data/empty.txt")
ts.Close
Set ts = fso.OpenTextFile("data/empty.txt")
WScript.Echo CStr(ts.AtEndOfStream)
ts.Close

On Error Resume Next
Set ts = fso.OpenTextFile("data/missing.txt", ForReading)
WScript.Echo "open missing: " & Err.Number
Err.Clear
Set f = fso.GetFile("data/missing.txt")
WScript.Echo "get missing file: " & Err.Number
Err.Clear
Set folder = fso.GetFolder("nofolder")
WScript.Echo "get missing folder: " & Err.Number
Err.Clear
fso.CreateFolder "data"
WScript.Echo "folder exists: " & Err.Number
Err.Clear
Set ts = fso.CreateTextFile("data/a.txt", False)
WScript.Echo "file exists: " & Err.Number
Err.Clear
Set ts = fso.OpenTextFile("data/b.txt", ForReading)
v = ts.ReadLine
v = ts.ReadLine
WScript.Echo "past end: " & Err.Number
Err.Clear
ts.Write "x"
WScript.Echo "write on reader: " & Err.Number
Err.Clear
ts.Close
fso.DeleteFile "data/missing.txt"
WScript.Echo "delete missing: " & Err.Number
Err.Clear
Set ts = fso.OpenTextFile("nofolder/x.txt", ForWriting, True)
WScript.Echo "create in missing folder: " & Err.Number
Err.Clear
Set ts = fso.OpenTextFile("data/empty.txt")
v = ts.ReadAll
WScript.Echo "ReadAll of empty file: " & Err.Number
Err.Clear
'@expect
' FileSystemObject
' False False
' True data
' True
' first line
' second part
' []
' False
' last
' True
' 33 True True
' a.txt 33 True Date
' 5 more
' ab c True
' replaced
' True 8
' False True
' 3 1
' found d.txt
' sub: sub
' False 2
' a.txt a txt
' data []
' a.txt True
' True
' False
' True
' open missing: 53
' get missing file: 53
' get missing folder: 76
' folder exists: 58
' file exists: 58
' past end: 62
' write on reader: 54
' delete missing: 53
' create in missing folder: 76
' ReadAll of empty file: 62
