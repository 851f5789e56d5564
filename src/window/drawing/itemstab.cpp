#include "itemstab.h"

#include "drawingwidgets.h"
#include "itemsmodel.h"
#include "section/sectionclipboard.h"
#include "takeoff/measures.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// "Misura" chosen from its five words, or typed.
class MeasureDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *box = new QComboBox(parent);
        box->setEditable(true);
        for (const Measure measure :
             {Measure::Scavo, Measure::Armatura, Measure::Pavimentazione, Measure::Taglio, Measure::Tubazione})
            box->addItem(measureName(measure));
        box->setAccessibleName(QStringLiteral("Misura"));
        return box;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        static_cast<QComboBox *>(editor)->setCurrentText(index.data(Qt::EditRole).toString());
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        model->setData(index, static_cast<QComboBox *>(editor)->currentText(), Qt::EditRole);
    }
};

} // namespace

ItemsTab::ItemsTab(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    m_model = new ItemsModel(this);
    m_view = new QTableView;
    m_view->setModel(m_model);
    m_view->setTabKeyNavigation(false);
    m_view->verticalHeader()->hide();
    m_view->setItemDelegateForColumn(ItemsModel::kMeasureColumn, new MeasureDelegate(m_view));
    m_view->installEventFilter(this);
    m_view->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 8);
    layout->addWidget(headingFor(m_view, QStringLiteral("Voci del lavoro")));
    layout->addWidget(m_view, 1);
    connect(m_model, &ItemsModel::itemsChanged, this, &ItemsTab::itemsChanged);

    m_problems = problemsBox();
    m_problems->setMaximumHeight(90);
    layout->addWidget(headingFor(m_problems, QStringLiteral("Problemi delle voci")));
    layout->addWidget(m_problems);
}

std::vector<PriceItem> ItemsTab::items() const
{
    return m_model->items();
}

void ItemsTab::setItems(const std::vector<PriceItem> &items)
{
    m_model->setItems(items);
}

void ItemsTab::showProblems(const QStringList &problems)
{
    m_problems->setPlainText(problems.join(u'\n'));
}

QString ItemsTab::problemsText() const
{
    return m_problems->toPlainText();
}

QString ItemsTab::paste(const QString &text)
{
    const QModelIndex at = m_view->currentIndex();
    const int column = at.isValid() ? at.column() : 0;
    QList<QStringList> rows = cellBlock(text);
    const qsizetype width = blockWidth(rows);
    if (column + width > ItemsModel::kColumns)
        return tooWideBlock(width, m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().simplified(),
                            ItemsModel::kColumns - column);
    // The depths and the margin, where the block lands on them.
    QList<qsizetype> numbers;
    for (int c = std::max(3, column); c < ItemsModel::kColumns; ++c)
        numbers << c - column;
    QString told;
    if (isHeaderRow(rows, numbers)) {
        rows.removeFirst();
        told = headerLeftOut();
    }
    m_model->put(at.isValid() ? at.row() : int(m_model->items().size()), column, rows);
    return told;
}

// Ctrl+V pastes a block from a spreadsheet; Delete empties the cells chosen.
bool ItemsTab::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Paste)) {
            emit told(paste(QApplication::clipboard()->text()));
            return true;
        }
        if (key->matches(QKeySequence::Delete) || key->key() == Qt::Key_Backspace) {
            m_model->clear(m_view->selectionModel()->selectedIndexes());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
