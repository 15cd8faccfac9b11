// Command routing through message maps: a table of (message, notification, id, handler) per class,
// chained to the base class's table.
#pragma once

#include <windows.h>

class CCmdTarget;
typedef void (CCmdTarget::*AFX_PMSG)();

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    AFX_PMSG pfn;  // null in the entry that ends a table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for the root of the chain
    const AFX_MSGMAP_ENTRY* lpEntries;
};

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Calls the first handler in this object's chain of maps for a WM_COMMAND with this
    // notification code and id; FALSE when there is none.
    BOOL OnCmdMsg(UINT nID, UINT nCode);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP()                     \
public:                                           \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

// The tables live inside a function so that the entries can name the class as ThisClass.
// Laid out by hand: a formatter cannot see that the two macros make one function between them.
// clang-format off
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                    \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }             \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                               \
    {                                                                                             \
        using ThisClass [[maybe_unused]] = theClass;                                              \
        using TheBaseClass = baseClass;                                                           \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                         \
            { 0, 0, 0, nullptr }                                                                  \
        };                                                                                        \
        static const AFX_MSGMAP map = { &TheBaseClass::GetThisMessageMap, &entries[0] };          \
        return &map;                                                                              \
    }
// clang-format on

#define AFX_COMMAND_ENTRY(code, id, memberFxn) \
    { WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<AFX_PMSG>(&ThisClass::memberFxn) },

#define ON_COMMAND(id, memberFxn)       AFX_COMMAND_ENTRY(0, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn)    AFX_COMMAND_ENTRY(BN_CLICKED, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) AFX_COMMAND_ENTRY(LBN_SELCHANGE, id, memberFxn)
