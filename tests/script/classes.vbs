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
' expect: init
WScript.Echo p.Name, p.Age
' expect: nobody 0
p.Name = "Ann"
p.Age = 30
p.Birthday
WScript.Echo p.Name, p.Age
' expect: Ann 31
WScript.Echo p.Greet("Bob")
' expect: Hi Bob, I am Ann
WScript.Echo p.UseSecret()
' expect: 43
WScript.Echo TypeName(p), CStr(IsObject(p)), VarType(p)
' expect: Person True 9
Set q = p
q.Age = 5
WScript.Echo p.Age, CStr(p Is q), CStr(p Is Nothing)
' expect: 5 True False
Set q = Nothing
WScript.Echo "q released"
' expect: q released
Set p = Nothing
' expect: terminate Ann
WScript.Echo "after"
' expect: after

Set l = New List
l.Add "a"
l.Add "b"
l.Add "c"
WScript.Echo l.Count, l(1), l.Item(2)
' expect: 3 b c

Set n1 = New Node
Set n2 = New Node
n1.Init 1
Set n1.NextNode = n2.Init(2)
WScript.Echo n1.Value, n1.NextNode.Value, CStr(n2.NextNode Is Nothing)
' expect: 1 2 True
Set n1 = New Node
WScript.Echo n1.Init(7).Value
' expect: 7

Set c = New Counter
c.Count = 4
v = c
WScript.Echo v, c + 1
' expect: 40 41

Sub Scoped()
    Dim local
    Set local = New Person
    local.Name = "Local"
End Sub
Scoped
' expect: init
' expect: terminate Local
WScript.Echo "scoped done"
' expect: scoped done

Set p = New Person
' expect: init
On Error Resume Next
p.Name = ""
WScript.Echo "empty name: " & Err.Number
' expect: empty name: 5
Err.Clear
v = p.Secret()
WScript.Echo "private: " & Err.Number
' expect: private: 438
Err.Clear
p.Missing
WScript.Echo "missing: " & Err.Number
' expect: missing: 438
Err.Clear
Dim e
e.Foo
WScript.Echo "on Empty: " & Err.Number
' expect: on Empty: 424
Err.Clear
Set e = Nothing
e.Foo
WScript.Echo "on Nothing: " & Err.Number
' expect: on Nothing: 91
Err.Clear
Set e = New Undefined
WScript.Echo "undefined class: " & Err.Number
' expect: undefined class: 506
Err.Clear
Set p = Nothing
' expect: terminate nobody
