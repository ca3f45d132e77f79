' Scripting.FileSystemObject and TextStream, in a fresh working folder.
Const ForReading = 1, ForWriting = 2, ForAppending = 8
Dim fso, ts, f, folder, s, n, item, v
Set fso = CreateObject("Scripting.FileSystemObject")
WScript.Echo TypeName(fso)
' expect: FileSystemObject
WScript.Echo CStr(fso.FolderExists("data")), CStr(fso.FileExists("data/a.txt"))
' expect: False False
Set folder = fso.CreateFolder("data")
WScript.Echo CStr(fso.FolderExists("data")), folder.Name
' expect: True data
Set ts = fso.CreateTextFile("data/a.txt", True)
ts.WriteLine "first line"
ts.Write "second"
ts.Write " part"
ts.WriteLine
ts.WriteBlankLines 1
ts.WriteLine "last"
ts.Close
WScript.Echo CStr(fso.FileExists("data/a.txt"))
' expect: True
Set ts = fso.OpenTextFile("data/a.txt", ForReading)
WScript.Echo ts.ReadLine
' expect: first line
WScript.Echo ts.ReadLine
' expect: second part
WScript.Echo "[" & ts.ReadLine & "]"
' expect: []
WScript.Echo CStr(ts.AtEndOfStream)
' expect: False
WScript.Echo ts.ReadLine
' expect: last
WScript.Echo CStr(ts.AtEndOfStream)
' expect: True
ts.Close
Set ts = fso.OpenTextFile("data/a.txt")
s = ts.ReadAll
ts.Close
WScript.Echo Len(s), CStr(InStr(s, "second part" & vbCrLf) > 0), CStr(Right(s, 2) = vbCrLf)
' expect: 33 True True
Set f = fso.GetFile("data/a.txt")
WScript.Echo f.Name, f.Size, CStr(f.Size = Len(s)), TypeName(f.DateLastModified)
' expect: a.txt 33 True Date
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
' expect: 5 more
Set ts = fso.OpenTextFile("data/b.txt", ForWriting, True)
ts.Write "abc"
ts.Close
Set ts = fso.OpenTextFile("data/b.txt", ForReading)
WScript.Echo ts.Read(2), ts.Read(5), CStr(ts.AtEndOfStream)
' expect: ab c True
ts.Close
Set ts = fso.OpenTextFile("data/b.txt", ForWriting)
ts.Write "replaced"
ts.Close
WScript.Echo fso.OpenTextFile("data/b.txt").ReadAll
' expect: replaced
fso.CopyFile "data/b.txt", "data/c.txt"
WScript.Echo CStr(fso.FileExists("data/c.txt")), fso.GetFile("data/c.txt").Size
' expect: True 8
fso.MoveFile "data/c.txt", "data/d.txt"
WScript.Echo CStr(fso.FileExists("data/c.txt")), CStr(fso.FileExists("data/d.txt"))
' expect: False True
fso.CreateFolder "data/sub"
Set folder = fso.GetFolder("data")
WScript.Echo folder.Files.Count, folder.SubFolders.Count
' expect: 3 1
s = ""
For Each item In folder.Files
    If item.Name = "d.txt" Then s = "found d.txt"
Next
WScript.Echo s
' expect: found d.txt
For Each item In folder.SubFolders
    WScript.Echo "sub: " & item.Name
Next
' expect: sub: sub
fso.DeleteFile "data/d.txt"
WScript.Echo CStr(fso.FileExists("data/d.txt")), fso.GetFolder("data").Files.Count
' expect: False 2
WScript.Echo fso.GetFileName("data/a.txt"), fso.GetBaseName("data/a.txt"), fso.GetExtensionName("data/a.txt")
' expect: a.txt a txt
WScript.Echo fso.GetParentFolderName("data/a.txt"), "[" & fso.GetExtensionName("noext") & "]"
' expect: data []
WScript.Echo fso.GetFileName(fso.BuildPath("data", "a.txt")), CStr(fso.FileExists(fso.BuildPath("data", "a.txt")))
' expect: a.txt True
WScript.Echo CStr(fso.FolderExists(fso.GetAbsolutePathName("data")))
' expect: True
fso.DeleteFolder "data/sub"
WScript.Echo CStr(fso.FolderExists("data/sub"))
' expect: False
Set ts = fso.CreateTextFile("data/empty.txt")
ts.Close
Set ts = fso.OpenTextFile("data/empty.txt")
WScript.Echo CStr(ts.AtEndOfStream)
' expect: True
ts.Close

On Error Resume Next
Set ts = fso.OpenTextFile("data/missing.txt", ForReading)
WScript.Echo "open missing: " & Err.Number
' expect: open missing: 53
Err.Clear
Set f = fso.GetFile("data/missing.txt")
WScript.Echo "get missing file: " & Err.Number
' expect: get missing file: 53
Err.Clear
Set folder = fso.GetFolder("nofolder")
WScript.Echo "get missing folder: " & Err.Number
' expect: get missing folder: 76
Err.Clear
fso.CreateFolder "data"
WScript.Echo "folder exists: " & Err.Number
' expect: folder exists: 58
Err.Clear
Set ts = fso.CreateTextFile("data/a.txt", False)
WScript.Echo "file exists: " & Err.Number
' expect: file exists: 58
Err.Clear
Set ts = fso.OpenTextFile("data/b.txt", ForReading)
v = ts.ReadLine
v = ts.ReadLine
WScript.Echo "past end: " & Err.Number
' expect: past end: 62
Err.Clear
ts.Write "x"
WScript.Echo "write on reader: " & Err.Number
' expect: write on reader: 54
Err.Clear
ts.Close
fso.DeleteFile "data/missing.txt"
WScript.Echo "delete missing: " & Err.Number
' expect: delete missing: 53
Err.Clear
Set ts = fso.OpenTextFile("nofolder/x.txt", ForWriting, True)
WScript.Echo "create in missing folder: " & Err.Number
' expect: create in missing folder: 76
Err.Clear
Set ts = fso.OpenTextFile("data/empty.txt")
v = ts.ReadAll
WScript.Echo "ReadAll of empty file: " & Err.Number
' expect: ReadAll of empty file: 62
Err.Clear
