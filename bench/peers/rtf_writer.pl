#!/usr/bin/perl
# The whole workloads of bench/whole-runs, written with RTF::Writer.
#   rtf_writer.pl paragraphs N OUT | table ROWS OUT | table-lean ROWS OUT
# table-lean writes the same table with one declaration and plain strings.
use strict;
use warnings;
use utf8;
use RTF::Writer;

my ($kind, $count, $out) = @ARGV;
my $rtf = RTF::Writer->new_to_file($out);
$rtf->prolog('fonts' => ['Arial'], 'colors' => [undef, [255, 0, 0], [221, 221, 221]]);
if ($kind eq 'paragraphs') {
    for (1 .. $count) {
        $rtf->paragraph("The quick brown fox {jumps} over ",
                        [\'\b', "the lazy dog\tand \\ its friend "],
                        [\'\cf1', "\x{3b1}\x{3b2}\x{3b3} caf\x{e9} \x{2022} done.\n"]);
    }
} elsif ($kind eq 'table-lean') {
    my $decl = RTF::Writer::TableRowDecl->new('widths' => [(1000) x 10]);
    my @odd = ('cell text') x 10;
    my @even = map { [\'\clcbpat2', 'cell text'] } 1 .. 10;
    $rtf->row($decl, $_ % 2 == 0 ? @even : @odd) for 1 .. $count;
} else {
    my $decl = RTF::Writer::TableRowDecl->new('widths' => [(1000) x 10]);
    for my $r (1 .. $count) {
        $rtf->row($decl, map { [\($r % 2 == 0 ? '\clcbpat2' : ''), 'cell text'] } 1 .. 10);
    }
}
$rtf->close;
