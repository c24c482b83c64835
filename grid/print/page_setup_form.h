#pragma once

class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace grid {

class SpinEdit;

// The controls of the page setup dialog, laid out on it and chained in tab order.
// Each has an object name (the member's name) by which tests find it.
struct PageSetupForm {
    explicit PageSetupForm(QDialog* dialog);

    QComboBox* printer;
    QPushButton* printerSetup;
    QCheckBox* printToFile;
    QLineEdit* printFileName;
    QPushButton* browseFile;
    SpinEdit* marginTop;
    SpinEdit* marginBottom;
    SpinEdit* marginLeft;
    SpinEdit* marginRight;
    QRadioButton* fitToWidth;
    QRadioButton* shrinkToWidth;
    QRadioButton* customScale;
    SpinEdit* scale;
    QComboBox* oddEvenMode;
    QRadioButton* allPages;
    QRadioButton* pageRange;
    QRadioButton* rowRange;
    SpinEdit* start;
    SpinEdit* end;
    QCheckBox* toEnd;
    SpinEdit* copies;
    QComboBox* pageNumberPosition;
    SpinEdit* firstPageNumber;
    QCheckBox* repeatLastRow;
    QCheckBox* addTableLines;
    SpinEdit* rowsPerPage;
    QPushButton* confirm;
    QPushButton* cancel;
    // The range labels name pages or rows, as the chosen range does.
    QLabel* startLabel;
    QLabel* endLabel;
};

}  // namespace grid
