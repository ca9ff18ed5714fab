#include "common/ListBox.h"
#include "common/ProgressWindow.h"
#include "common/StatusLog.h"
#include "support/ScriptedOperator.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(ProgressWindowState, OnlyMinusOneShowsAndHidingResetsTheCaption)
{
    ScriptedOperator op;
    Common::ProgressWindow form3(op);
    form3.frmWait(-1);
    EXPECT_TRUE(op.progressShown);
    EXPECT_FALSE(op.mainEnabled);
    form3.lblMaj.setText(QStringLiteral("Phrase pour Hotel: X"));
    form3.setRange(2, 5);
    form3.advance();

    form3.frmWait(1);
    EXPECT_FALSE(op.progressShown);
    EXPECT_TRUE(op.mainEnabled);
    EXPECT_EQ(form3.lblMaj.text(), Common::ProgressWindow::kDefaultCaption);
    EXPECT_EQ(form3.value(), 3); // the bar keeps its last settings
    EXPECT_EQ(form3.max(), 5);

    form3.frmWait(0); // already hidden: only enables and resets again
    EXPECT_EQ(op.progressEvents, (QStringList{"show-blocking", "hide", "hide"}));
}

TEST(ProgressWindowState, LoadShowsWithoutBlocking)
{
    ScriptedOperator op;
    Common::ProgressWindow form3(op);
    form3.load();
    EXPECT_TRUE(op.progressShown);
    EXPECT_TRUE(op.mainEnabled);
}

TEST(StatusLogState, NewestLineSelectedAndCapacityBounded)
{
    Common::StatusLog log;
    for (int i = 0; i < 300; ++i)
        log.Ajout_Status(QString::number(i));
    EXPECT_EQ(log.lines().listIndex(), 299);
    EXPECT_EQ(log.lines().currentText(), "299");

    for (int i = 300; i < Common::StatusLog::kCapacity + 10; ++i)
        log.Ajout_Status(QString::number(i));
    EXPECT_EQ(log.lines().count(), Common::StatusLog::kCapacity);
    EXPECT_EQ(log.lines().item(0), "10");
    EXPECT_EQ(log.lines().currentText(), QString::number(Common::StatusLog::kCapacity + 9));
}

TEST(ListBoxState, IndexFollowsInsertAndRemove)
{
    Common::ListBox list(QStringLiteral("l"));
    list.setItems({"a", "b", "c"});
    QSignalSpy clicks(&list, &Common::ListBox::clicked);
    list.setListIndex(1);
    list.setListIndex(1); // a second click on the same entry still reacts
    EXPECT_EQ(clicks.count(), 2);
    list.insertItem(0, "z");
    EXPECT_EQ(list.currentText(), "b");
    list.removeItem(0);
    EXPECT_EQ(list.listIndex(), 1);
    list.removeItem(1);
    EXPECT_EQ(list.listIndex(), -1);
    list.setListIndex(7);
    EXPECT_EQ(list.listIndex(), -1);
}
