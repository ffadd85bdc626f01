<GML spec="Graffiti Analysis 2.0">
<!-- a comment -->
<TAG><Drawing><stroke><pt><x>0.3</x><y>0.3</y><time>0</time></pt><pt><x>0.4</x><y>0.6</y><time>2</time></pt>
