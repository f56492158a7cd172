#include "table/Layout.h"

#include "table/Design.h"
#include "table/frmGrulm.h"

#include <algorithm>
#include <cmath>
#include <vector>

QString Layout_Dump() {
    TableForm& f = frmGrulm();
    struct Line {
        QString name;
        int index;
        QString text;
    };
    std::vector<Line> lines;
    auto num = [](double v) {
        QString s = QString::number(std::round(v * 100) / 100, 'f', 2);
        while (s.endsWith('0'))
            s.chop(1);
        if (s.endsWith('.')) s.chop(1);
        if (s == "-0") s = "0";
        return s;
    };
    Design_ForEachControl(f, [&](platform::Control& c) {
        const QString id = c.Index() >= 0 ? QStringLiteral("%1(%2)").arg(c.Name()).arg(c.Index()) : c.Name();
        lines.push_back({c.Name(), c.Index(),
                         QStringLiteral("%1 %2 %3 %4 %5 %6")
                             .arg(id, num(c.LeftPx()), num(c.TopPx()), num(c.WidthPx()), num(c.HeightPx()))
                             .arg(c.Visible() ? 1 : 0)});
    });
    std::sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) {
        return a.name != b.name ? a.name < b.name : a.index < b.index;
    });
    QString out;
    for (const Line& l : lines)
        out += l.text + '\n';
    return out;
}
