' Statement forms that real classic-ASP pages use and VBScript accepts.
Dim c, x, r
c = True
If c Then : End If
If c Then WScript.Echo "colon" : End If
' expect: colon
If c Then WScript.Echo "closed" End If
' expect: closed
If Not c Then WScript.Echo "no" Else WScript.Echo "else" End If
' expect: else
If c Then :
WScript.Echo "after empty single-line If"
' expect: after empty single-line If

' Procedures declared inside a block exist from the start, wherever the
' block leads (pages include files of procedures inside <% If %>).
WScript.Echo Twice(4)
' expect: 8
If False Then
    Function Twice(n)
        Twice = n * 2
    End Function
    Class Box
        Public Value
    End Class
End If
Set r = New Box
r.Value = 3
WScript.Echo r.Value
' expect: 3

' One-line procedures.
Sub SetX() x = 41 End Sub
Function Answer() Answer = x + 1 End Function
Sub Both(a) x = a : x = x * 2 End Sub
SetX
WScript.Echo Answer()
' expect: 42
Both 5
WScript.Echo x
' expect: 10

' Keywords that are also names.
Dim Error, Step, Explicit, Property, Default
Error = 1: Step = 2: Explicit = 3: Property = 4: Default = 5
WScript.Echo Error + Step + Explicit + Property + Default
' expect: 15
For x = 1 To 10 Step Step
Next
WScript.Echo x
' expect: 11
Function Property2(Default)
    Property2 = Default * 2
End Function
WScript.Echo Property2(Step)
' expect: 4

' A parenthesised expression called through its default member.
Class Adder
    Public Default Function Add(a, b)
        Add = a + b
    End Function
End Class
WScript.Echo (New Adder)(1, 2)
' expect: 3
x = (New Adder)(3, 4)
WScript.Echo x
' expect: 7
WScript.Echo (New Adder)(1, 2) * 10, Len((New Adder)("a", "b"))
' expect: 30 2

' Call with a function in statement form discards its value.
x = "12"
Call CInt(x)
Call Len("abc")
WScript.Echo "call ok"
' expect: call ok

' .Member outside With compiles and fails when it runs (505).
On Error Resume Next
x = .Missing
WScript.Echo Err.Number
' expect: 505
Err.Clear
.Missing = 1
WScript.Echo Err.Number
' expect: 505
On Error GoTo 0

' Forms found in public shop and CMS pages.
x = 0
If x = 0Then WScript.Echo "number then keyword"
' expect: number then keyword
x = "a" &_

    "b"
WScript.Echo x
' expect: ab
Select Case (Split("uno,due", ","))(1)
    Case "due": WScript.Echo "second"
End Select
' expect: second
Function Label(ByVal property, ByVal default, ByVal step)
    Label = property & default & step
End Function
WScript.Echo Label("p", "d", "s")
' expect: pds
Set Error = New Box
Error.Value = "error object"
WScript.Echo Error.Value
' expect: error object
