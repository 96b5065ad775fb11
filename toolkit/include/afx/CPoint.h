// A point in pixels.
#pragma once
#include "afx/afxdefs.h"

class CPoint : public tagPOINT
{
public:
    CPoint() { x = y = 0; }
    CPoint(int initX, int initY) { x = initX; y = initY; }
    CPoint(POINT initPt) { x = initPt.x; y = initPt.y; }

    void Offset(int xOffset, int yOffset) { x += xOffset; y += yOffset; }
    bool operator==(POINT point) const { return x == point.x && y == point.y; }
    bool operator!=(POINT point) const { return !(*this == point); }
    CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
    CPoint operator-(POINT point) const { return CPoint(x - point.x, y - point.y); }
    operator LPPOINT() { return this; }
};
