#include "framework/CString.h"

#include <ctype.h>
#include <mbstring.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "framework/CWinApp.h"

namespace {

// Longest string resource that LoadString reads.
const int kMaxResourceString = 255;

}  // namespace

CString::CString(const char* text)
{
    *this = text;
}

CString::CString(const CString& other)
{
    Assign(other, other.m_length);
}

CString& CString::operator=(const CString& other)
{
    if (this != &other)
        Assign(other, other.m_length);
    return *this;
}

CString& CString::operator=(const char* text)
{
    Assign(text, text ? static_cast<int>(strlen(text)) : 0);
    return *this;
}

CString::~CString()
{
    free(m_data);
}

void CString::Empty()
{
    free(m_data);
    m_data = nullptr;
    m_length = 0;
    m_capacity = 0;
}

BOOL CString::Assign(const char* text, int length)
{
    if (length == 0) {
        Empty();
        return TRUE;
    }
    // text may point into our own buffer, so it is copied before the old buffer goes.
    char* copy = static_cast<char*>(malloc(length + 1));
    if (!copy) {
        Empty();
        return FALSE;
    }
    memcpy(copy, text, length);
    copy[length] = '\0';
    free(m_data);
    m_data = copy;
    m_length = length;
    m_capacity = length;
    return TRUE;
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const int length = _vscprintf(format, args);
    va_end(args);
    if (length <= 0) {
        Empty();
        return;
    }
    char* buffer = GetBuffer(length);
    if (!buffer)
        return;
    va_start(args, format);
    _vsnprintf(buffer, length + 1, format, args);
    va_end(args);
    ReleaseBuffer(length);
}

BOOL CString::LoadString(UINT id)
{
    char buffer[kMaxResourceString + 1] = {};
    const int length = ::LoadStringA(AfxGetResourceHandle(), id, buffer, sizeof buffer);
    return Assign(buffer, length) && length > 0;
}

void CString::TrimLeft()
{
    int start = 0;
    while (start < m_length && isspace(static_cast<unsigned char>(m_data[start])))
        ++start;
    if (start > 0)
        Assign(m_data + start, m_length - start);
}

void CString::TrimRight()
{
    int end = m_length;
    while (end > 0 && isspace(static_cast<unsigned char>(m_data[end - 1])))
        --end;
    if (end < m_length)
        Assign(m_data, end);
}

int CString::Replace(const char* oldText, const char* newText)
{
    const int oldLength = oldText ? static_cast<int>(strlen(oldText)) : 0;
    if (oldLength == 0 || m_length == 0)
        return 0;
    const int newLength = newText ? static_cast<int>(strlen(newText)) : 0;

    // Multibyte-aware search, so that a trail byte is never taken for part of oldText.
    const auto find = [oldText](const char* from) {
        return reinterpret_cast<const char*>(
            _mbsstr(reinterpret_cast<const unsigned char*>(from), reinterpret_cast<const unsigned char*>(oldText)));
    };
    int count = 0;
    for (const char* hit = find(m_data); hit; hit = find(hit + oldLength))
        ++count;
    if (count == 0)
        return 0;

    const int resultLength = m_length + count * (newLength - oldLength);
    char* result = static_cast<char*>(malloc(resultLength + 1));
    if (!result)
        return 0;
    char* out = result;
    const char* from = m_data;
    for (const char* hit = find(from); hit; hit = find(from)) {
        memcpy(out, from, hit - from);
        out += hit - from;
        memcpy(out, newText, newLength);
        out += newLength;
        from = hit + oldLength;
    }
    strcpy(out, from);
    free(m_data);
    m_data = result;
    m_length = resultLength;
    m_capacity = resultLength;
    return count;
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > m_capacity) {
        char* grown = static_cast<char*>(realloc(m_data, minLength + 1));
        if (!grown)
            return nullptr;
        if (!m_data)
            grown[0] = '\0';
        m_data = grown;
        m_capacity = minLength;
    }
    if (!m_data) {
        // Nothing asked for and nothing held: still hand out a writable terminator.
        m_data = static_cast<char*>(calloc(1, 1));
    }
    return m_data;
}

void CString::ReleaseBuffer(int newLength)
{
    if (!m_data)
        return;
    if (newLength < 0)
        newLength = static_cast<int>(strnlen(m_data, m_capacity));
    if (newLength > m_capacity)
        newLength = m_capacity;
    m_data[newLength] = '\0';
    m_length = newLength;
}

bool operator==(const CString& left, const char* right)
{
    return strcmp(left, right ? right : "") == 0;
}

bool operator!=(const CString& left, const char* right)
{
    return !(left == right);
}
