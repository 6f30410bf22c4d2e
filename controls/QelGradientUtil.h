#pragma once
// A colour gradient through any number of colours: the ordered colour list, the direction, and
// the drawing on a canvas. The gradient panel owns one and only decides where it is drawn.

#include "Canvas.h"
#include "Component.h"
#include "Persistent.h"

#include <windows.h>

#include <memory>
#include <vector>

enum TQelGradientType { gtNone, gtHorizontal, gtVertical, gtCenter, gtRectangular };

class TQelGradientColorList;

// One colour of a gradient.
class TQelGradientColorItem : public TPersistent {
public:
    explicit TQelGradientColorItem(TQelGradientColorList* collection);
    TColor GetValue() const { return Value; }
    // A different value is stored and the list told of the change.
    void SetValue(TColor value);
    // Copies Value from another item, and tells the list.
    void Assign(const TPersistent& source) override;
    std::string ClassName() const override { return "TQelGradientColorItem"; }
    // The item's place in its list.
    int Index() const;

private:
    TQelGradientColorList* Collection;
    TColor Value = clBlack;
};

// The gradient's colours, first to last. Every change (add, delete, move, clear, an item's
// Value) calls OnChange with the list as sender, unless it happens inside a
// BeginUpdate/EndUpdate bracket, whose end reports once for all.
class TQelGradientColorList : public TPersistent {
public:
    // `owner` is the component the list belongs to (the panel).
    explicit TQelGradientColorList(TComponent* owner);
    ~TQelGradientColorList() override;

    int Count() const { return static_cast<int>(Entries.size()); }
    // The item at `index`; an index out of range raises the framework's Exception.
    TQelGradientColorItem& Items(int index);
    const TQelGradientColorItem& Items(int index) const;
    // Appends an item of that colour and returns it.
    TQelGradientColorItem& Add(TColor value = clBlack);
    // Out-of-range indexes do nothing.
    void Delete(int index);
    void Move(int fromIndex, int toIndex);
    void Clear();

    void BeginUpdate();
    void EndUpdate();
    // Above 0 while inside an update bracket.
    int UpdateCount() const { return Updating; }

    // Copies the colours of another colour list (one notification).
    void Assign(const TPersistent& source) override;
    std::string ClassName() const override { return "TQelGradientColorList"; }
    TComponent* Owner() const { return OwnerComponent; }

    TPersistentNotifyEvent OnChange;

protected:
    friend class TQelGradientColorItem;
    // Reports a change unless an update bracket is open.
    void Changed();
    // The update step: runs OnChange.
    virtual void Update();

private:
    TComponent* OwnerComponent;
    std::vector<std::unique_ptr<TQelGradientColorItem>> Entries;
    int Updating = 0;
};

// The gradient: its colours, its direction and its drawing.
class TQelGradient : public TPersistent {
public:
    // `owner` owns the colour list for streaming (the panel).
    explicit TQelGradient(TComponent* owner);

    TQelGradientColorList& Colors() { return ColorList; }
    const TQelGradientColorList& Colors() const { return ColorList; }
    TQelGradientType GetDirection() const { return Direction; }
    // A different direction is stored and reported through OnChange.
    void SetDirection(TQelGradientType direction);
    const TPersistentNotifyEvent& GetOnChange() const { return OnChange; }
    // The same handler also hears every change of Colors.
    void SetOnChange(TPersistentNotifyEvent handler);

    // From another gradient: its direction (quietly) and its colours (reported by the list).
    // Anything else raises EConvertError.
    void Assign(const TPersistent& source) override;
    std::string ClassName() const override { return "TQelGradient"; }

    // Draws the gradient over `rect`. Nothing while the colour list is empty or inside an
    // update bracket. Horizontal and vertical gradients skip the bands outside the canvas's
    // clip rectangle, so a partial repaint costs only the exposed part.
    virtual void Draw(TCanvas& canvas, const RECT& rect) const;
    // The same on a bare device context; a null one draws nothing.
    void Draw(HDC dc, const RECT& rect) const;

protected:
    void AssignTo(TPersistent& destination) const override;

private:
    TQelGradientColorList ColorList;
    TQelGradientType Direction = gtHorizontal;
    TPersistentNotifyEvent OnChange;
};
