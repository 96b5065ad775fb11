// Owner of a GDI object handle (pen, brush, font, region); deletes it when destroyed.
#pragma once
#include "afx/CObject.h"

class AFXKIT_API CGdiObject : public CObject
{
public:
    CGdiObject() = default;
    ~CGdiObject() override { DeleteObject(); }

    HGDIOBJ m_hObject = NULL;

    // A temporary wrapper that does not own the handle; freed by AfxDeleteTempMap.
    static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    // Stock objects are never deleted by the system, so the wrapper only refers to one.
    BOOL CreateStockObject(int nIndex);
};

class AFXKIT_API CPen : public CGdiObject
{
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor);

    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    operator HPEN() const { return (HPEN)m_hObject; }
};

class AFXKIT_API CBrush : public CGdiObject
{
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor);

    BOOL CreateSolidBrush(COLORREF crColor);
    operator HBRUSH() const { return (HBRUSH)m_hObject; }
    static CBrush* PASCAL FromHandle(HBRUSH hBrush) { return (CBrush*)CGdiObject::FromHandle(hBrush); }
};

class AFXKIT_API CFont : public CGdiObject
{
public:
    CFont() = default;

    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont);
    operator HFONT() const { return (HFONT)m_hObject; }
    static CFont* PASCAL FromHandle(HFONT hFont) { return (CFont*)CGdiObject::FromHandle(hFont); }
};

class CDC;

class AFXKIT_API CBitmap : public CGdiObject
{
public:
    CBitmap() = default;

    // A bitmap in the format of the device's surface, for drawing off screen.
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    operator HBITMAP() const { return (HBITMAP)m_hObject; }
};

class AFXKIT_API CRgn : public CGdiObject
{
public:
    CRgn() = default;

    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(LPCRECT lpRect);
    operator HRGN() const { return (HRGN)m_hObject; }
};
