' Classes: members, properties, default members, Initialize/Terminate, Me.
Class Person
    Private m_name
    Public Age
    Private Sub Class_Initialize()
        m_name = "nobody"
        Age = 0
        WScript.Echo "init"
    End Sub
    Private Sub Class_Terminate()
        WScript.Echo "terminate " & m_name
    End Sub
    Public Property Get Name()
        Name = m_name
    End Property
    Public Property Let Name(v)
        If Len(v) = 0 Then Err.Raise 5
        m_name = v
    End Property
    Public Function Greet(other)
        Greet = "Hi " & other & ", I am " & Me.Name
    End Function
    Public Sub Birthday()
        Age = Age + 1
    End Sub
    Private Function Secret()
        Secret = 42
    End Function
    Public Function UseSecret()
        UseSecret = Secret() + 1
    End Function
End Class

Class List
    Private items()
    Private n
    Private Sub Class_Initialize()
        n = 0
        ReDim items(-1 + 1)
    End Sub
    Public Default Function Item(i)
        Item = items(i)
    End Function
    Public Sub Add(v)
        ReDim Preserve items(n)
        items(n) = v
        n = n + 1
    End Sub
    Public Property Get Count()
        Count = n
    End Property
End Class

Class Node
    Public Value
    Private m_next
    Public Property Get NextNode()
        Set NextNode = m_next
    End Property
    Public Property Set NextNode(o)
        Set m_next = o
    End Property
    Public Function Init(v)
        Value = v
        Set m_next = Nothing
        Set Init = Me
    End Function
End Class

Class Counter
    Public Count
    Public Default Property Get Total()
        Total = Count * 10
    End Property
End Class

Dim p, q, l, n1, n2, c, v
Set p = New Person
WScript.Echo p.Name, p.Age
p.Name = "Ann"
p.Age = 30
p.Birthday
WScript.Echo p.Name, p.Age
WScript.Echo p.Greet("Bob")
WScript.Echo p.UseSecret()
WScript.Echo TypeName(p), CStr(IsObject(p)), VarType(p)
Set q = p
q.Age = 5
WScript.Echo p.Age, CStr(p Is q), CStr(p Is Nothing)
Set q = Nothing
WScript.Echo "q released"
Set p = Nothing
WScript.Echo "after"

Set l = New List
l.Add "a"
l.Add "b"
l.Add "c"
WScript.Echo l.Count, l(1), l.Item(2)

Set n1 = New Node
Set n2 = New Node
n1.Init 1
Set n1.NextNode = n2.Init(2)
WScript.Echo n1.Value, n1.NextNode.Value, CStr(n2.NextNode Is Nothing)
Set n1 = New Node
WScript.Echo n1.Init(7).Value

Set c = New Counter
c.Count = 4
v = c
WScript.Echo v, c + 1

Sub Scoped()
    Dim local
    Set local = New Person
    local.Name = "Local"
End Sub
Scoped
WScript.Echo "scoped done"

Set p = New Person
On Error Resume Next
p.Name = ""
WScript.Echo "empty name: " & Err.Number
Err.Clear
v = p.Secret()
WScript.Echo "private: " & Err.Number
Err.Clear
p.Missing
WScript.Echo "missing: " & Err.Number
Err.Clear
Dim e
e.Foo
WScript.Echo "on Empty: " & Err.Number
Err.Clear
Set e = Nothing
e.Foo
WScript.Echo "on Nothing: " & Err.Number
Err.Clear
Set e = New Undefined
WScript.Echo "undefined class: " & Err.Number
Err.Clear
Set p = Nothing
'@expect
' init
' nobody 0
' Ann 31
' Hi Bob, I am Ann
' 43
' Person True 9
' 5 True False
' q released
' terminate Ann
' after
' 3 b c
' 1 2 True
' 7
' 40 41
' init
' terminate Local
' scoped done
' init
' empty name: 5
' private: 438
' missing: 438
' on Empty: 424
' on Nothing: 91
' undefined class: 506
' terminate nobody
