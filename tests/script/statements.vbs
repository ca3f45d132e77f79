' Statements: If, Select Case, loops, Exit, With, Const, separators.
Option Explicit
Dim a, b, i, j, s, n

a = 5
If a > 3 Then
    WScript.Echo "big"
ElseIf a > 1 Then
    WScript.Echo "mid"
Else
    WScript.Echo "small"
End If
' expect: big
a = 2
If a > 3 Then
    WScript.Echo "big"
ElseIf a > 1 Then
    WScript.Echo "mid"
Else
    WScript.Echo "small"
End If
' expect: mid
If a = 2 Then WScript.Echo "single" Else WScript.Echo "other"
' expect: single
If a = 3 Then WScript.Echo "single" Else WScript.Echo "other"
' expect: other
If a = 2 Then b = 1: a = 7
WScript.Echo a & " " & b
' expect: 7 1
If a = 0 Then a = 100: b = 100
WScript.Echo a & " " & b
' expect: 7 1

Function Kind(x)
    Select Case x
        Case 1, 2, 3
            Kind = "low"
        Case 10
            Kind = "ten"
        Case Else
            Kind = "other"
    End Select
End Function
Function Letter(x)
    Select Case LCase(x)
        Case "a", "b"
            Letter = "ab"
        Case "c"
            Letter = "c"
        Case Else
            Letter = "?"
    End Select
End Function
WScript.Echo Kind(2), Kind(3), Kind(10), Kind(99), Letter("B"), Letter("c"), Letter("d")
' expect: low low ten other ab c ?

' Select without a matching case and without Case Else does nothing.
s = "none"
Select Case 5
    Case 1: s = "one"
End Select
WScript.Echo s
' expect: none

s = ""
For i = 1 To 10 Step 3: s = s & i & ",": Next
WScript.Echo s
' expect: 1,4,7,10,
WScript.Echo i
' expect: 13
s = ""
For i = 5 To 1 Step -2
    s = s & i
Next
WScript.Echo s & " " & i
' expect: 531 -1
s = ""
For i = 3 To 1
    s = s & i
Next
WScript.Echo "[" & s & "] " & i
' expect: [] 3
s = ""
For i = 0 To 1 Step 0.25
    s = s & i & ";"
Next
WScript.Echo s
' expect: 0;0.25;0.5;0.75;1;
' The end value is read once.
n = 3: s = ""
For i = 1 To n
    n = 10
    s = s & i
Next
WScript.Echo s
' expect: 123
s = ""
For i = 1 To 3
    For j = 1 To 3
        If j = 2 Then Exit For
        s = s & i & j & " "
    Next
Next
WScript.Echo s
' expect: 11 21 31 

i = 0
Do While i < 3
    i = i + 1
Loop
WScript.Echo "while " & i
' expect: while 3
i = 0
Do Until i >= 4
    i = i + 1
Loop
WScript.Echo "until " & i
' expect: until 4
i = 10
Do
    i = i + 1
Loop While i < 5
WScript.Echo "loop while " & i
' expect: loop while 11
i = 10
Do
    i = i + 1
Loop Until True
WScript.Echo "loop until " & i
' expect: loop until 11
i = 0
Do
    i = i + 1
    If i = 6 Then Exit Do
Loop
WScript.Echo "exit do " & i
' expect: exit do 6
i = 0
While i < 8
    i = i + 2
Wend
WScript.Echo "wend " & i
' expect: wend 8

s = ""
For Each n In Array("x", "y", "z")
    s = s & n
Next
WScript.Echo s
' expect: xyz
s = ""
For Each n In Array(1, 2, 3, 4)
    If n = 3 Then Exit For
    s = s & n
Next
WScript.Echo s
' expect: 12

Const Greeting = "hello", Answer = 42
WScript.Echo Greeting & " " & Answer
' expect: hello 42
Const Neg = -5
WScript.Echo Neg * 2
' expect: -10

Dim x, y, z : x = 1 : y = 2 : z = x + y : WScript.Echo z
' expect: 3
s = "con" & _
    "tin" & _
    "ued"
WScript.Echo s
' expect: continued
Rem a remark line
WScript.Echo "after rem" ' trailing comment
' expect: after rem
WScript.Echo "colon:inside"
' expect: colon:inside

Class Box
    Public W, H
    Public Function Area()
        Area = W * H
    End Function
End Class
Dim bx
Set bx = New Box
With bx
    .W = 3
    .H = 4
    WScript.Echo .Area()
    WScript.Echo .W + .H
End With
' expect: 12
' expect: 7

Sub Show(v)
    WScript.Echo "show " & v
End Sub
Show "plain"
' expect: show plain
Call Show("called")
' expect: show called
Show 1 + 2
' expect: show 3

Function Early(v)
    Early = "start"
    If v Then Exit Function
    Early = "end"
End Function
WScript.Echo Early(True), Early(False)
' expect: start end
Sub EarlySub()
    WScript.Echo "in sub"
    Exit Sub
    WScript.Echo "never"
End Sub
EarlySub
' expect: in sub
