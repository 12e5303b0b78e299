// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/frmNetResult.h"

#include "net/NetRecord.h"
#include "settings/aplMain.h"
#include "util/Functions.h"

#include <QListWidget>

namespace {

constexpr int Twips(int twips) { return twips / 15; }

} // namespace

frmNetResult::frmNetResult(QWidget *netWindow, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("対戦成績"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Twips(3735), Twips(4140));

    Label1 = new AutoLabel(NetRecord::TotalsCaption(NetRecord::Totals()), this);
    Label1->move(Twips(120), Twips(60));
    lstNetResult = new QListWidget(this);
    lstNetResult->setGeometry(Twips(120), Twips(360), Twips(3495), Twips(3660));
    // Every row is one line of the same font: the list need not measure each.
    lstNetResult->setUniformItemSizes(true);

    const QString path = aplMain::AppPath + QLatin1String(NetRecord::FileName);
    if (!Functions::FileExists(path))
        return;
    if (netWindow) {
        const QRect net = netWindow->frameGeometry();
        move(net.left() + net.width(), net.top());
    }
    const NetRecord::Totals totals = NetRecord::CountRecordFile(path, NetRecord::MaxRows);
    lstNetResult->addItems(totals.rows);
    Label1->setText(NetRecord::TotalsCaption(totals));
}
