// A GDI object (region, brush, bitmap ...) deleted when it goes out of scope.
#pragma once

#include <windows.h>

class CGdiObject {
public:
    explicit CGdiObject(HGDIOBJ object) : m_object(object) {}
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject()
    {
        if (m_object)
            DeleteObject(m_object);
    }

    HGDIOBJ Get() const { return m_object; }

private:
    HGDIOBJ m_object;
};
