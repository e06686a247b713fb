// The whole workloads of bench/whole-runs, written with iText's RTF writer.
//   java ItextRtf paragraphs N OUT | table ROWS OUT
import com.lowagie.text.Cell;
import com.lowagie.text.Chunk;
import com.lowagie.text.Document;
import com.lowagie.text.Font;
import com.lowagie.text.Paragraph;
import com.lowagie.text.Table;
import com.lowagie.text.rtf.RtfWriter2;
import java.awt.Color;
import java.io.FileOutputStream;

public class ItextRtf {
    public static void main(String[] args) throws Exception {
        int count = Integer.parseInt(args[1]);
        Document document = new Document();
        RtfWriter2.getInstance(document, new FileOutputStream(args[2]));
        document.open();
        Font plain = new Font(Font.HELVETICA, 10);
        Font bold = new Font(Font.HELVETICA, 10, Font.BOLD);
        Font red = new Font(Font.HELVETICA, 10, Font.NORMAL, Color.RED);
        if (args[0].equals("paragraphs")) {
            for (int i = 0; i < count; ++i) {
                Paragraph p = new Paragraph();
                p.add(new Chunk("The quick brown fox {jumps} over ", plain));
                p.add(new Chunk("the lazy dog\tand \\ its friend ", bold));
                p.add(new Chunk("\u03b1\u03b2\u03b3 caf\u00e9 \u2022 done.\n", red));
                document.add(p);
            }
        } else {
            Table table = new Table(10);
            for (int r = 1; r <= count; ++r) {
                for (int c = 1; c <= 10; ++c) {
                    Cell cell = new Cell(new Paragraph("cell text", plain));
                    if (r % 2 == 0) cell.setBackgroundColor(new Color(221, 221, 221));
                    table.addCell(cell);
                }
            }
            document.add(table);
        }
        document.close();
    }
}
